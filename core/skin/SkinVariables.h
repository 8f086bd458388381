#pragma once
#include <string>

#include "base/LinkList.h"

// One script variable.
class CSkinVariable : public CLinkNode {
public:
    CSkinVariable(const char* name, const char* value) : m_name(name), m_value(value) {}

    const std::string& Name() const { return m_name; }
    const std::string& Value() const { return m_value; }

private:
    std::string m_name;
    std::string m_value;
};

// The variables of one skin, in the order of their last setting. Names are
// compared without regard to case. Included sections' parameters are
// ordinary variables p1, p2, ...
class CSkinVariables {
public:
    CSkinVariables() = default;
    ~CSkinVariables() { Clear(); }
    CSkinVariables(const CSkinVariables&) = delete;
    CSkinVariables& operator=(const CSkinVariables&) = delete;

    // Drops any variable of that name, then appends the new one.
    void Set(const char* name, const char* value);
    const char* Get(const char* name) const;
    void Clear() { m_list.UnlinkAll(true); }

private:
    CSkinVariable* Find(const char* name) const;

    CLinkList m_list;
};
