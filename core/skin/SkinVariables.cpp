#include "skin/SkinVariables.h"

#include "skin/SkinWords.h"

void CSkinVariables::Set(const char* name, const char* value)
{
    if (CSkinVariable* old = Find(name))
        old->Release();  // unlinks it
    m_list.Append(new CSkinVariable(name, value));
}

const char* CSkinVariables::Get(const char* name) const
{
    const CSkinVariable* variable = Find(name);
    return variable ? variable->Value().c_str() : nullptr;
}

CSkinVariable* CSkinVariables::Find(const char* name) const
{
    for (auto* variable = m_list.FirstAs<CSkinVariable>(); variable; variable = CLinkList::NextAs(variable))
        if (SkinWordIs(variable->Name().c_str(), name))
            return variable;
    return nullptr;
}
