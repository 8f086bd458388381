#pragma once

// Sets a flag for the life of the scope and gives it back its old value, so
// scopes nest.
class CFlagScope {
public:
    explicit CFlagScope(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~CFlagScope() { m_flag = m_was; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    bool& m_flag;
    bool m_was;
};
