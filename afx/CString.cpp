#include "CString.h"
#include "CWinApp.h"

BOOL CString::LoadString(UINT nID)
{
    // String-table entries are limited to 4,095 characters; the program's are short.
    char sz[4096];
    int n = ::LoadStringA(AfxGetResourceHandle(), nID, sz, sizeof sz);
    m_str.assign(sz, n > 0 ? n : 0);
    return n > 0;
}

int CString::Find(LPCSTR pszSub) const
{
    size_t i = m_str.find(pszSub ? pszSub : "");
    return i == std::string::npos ? -1 : (int)i;
}
