// The framework's string: a byte string with the few operations the
// program uses (string-table loading, substring search, concatenation).
#ifndef AFX_CSTRING_H
#define AFX_CSTRING_H

#include <windows.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(LPCSTR psz) : m_str(psz ? psz : "") { }
    CString(LPCSTR pch, int nLength) : m_str(pch, nLength) { }

    BOOL LoadString(UINT nID);
    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    // Index of the first occurrence, or -1; case-sensitive like strstr.
    int Find(LPCSTR pszSub) const;
    int Compare(LPCSTR psz) const { return m_str.compare(psz ? psz : ""); }

    operator LPCSTR() const { return m_str.c_str(); }
    CString& operator=(LPCSTR psz)
    {
        m_str = psz ? psz : "";
        return *this;
    }
    CString& operator+=(LPCSTR psz)
    {
        m_str += psz ? psz : "";
        return *this;
    }
    friend CString operator+(const CString& a, LPCSTR b)
    {
        CString s(a);
        s += b;
        return s;
    }
    friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }

private:
    std::string m_str;
};

#endif
