// Waiting on real windows, with deadlines: the thread's messages are
// dispatched meanwhile, so windows of the test's own thread keep working.
#ifndef TESTS_SUPPORT_WAIT_H
#define TESTS_SUPPORT_WAIT_H

#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Dispatches what is queued for this thread now, including what that posts.
void Pump();
// Dispatches messages until pred holds or dwTimeout passes; answers pred().
bool WaitUntil(const std::function<bool()>& pred, DWORD dwTimeout = 5000);

// Drives the modal loops that a call of the test opens (dialogs, menus,
// message boxes): each step runs from a timer of this thread, again on every
// tick until it answers true. A script that stalls is reported, and the
// dialogs it leaves open are cancelled, so that a fault fails and never hangs.
class ModalScript {
public:
    using Step = std::function<bool()>;

    ModalScript& Then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }
    ModalScript& Do(std::function<void()> fn)
    {
        return Then([fn] {
            fn();
            return true;
        });
    } // a step done at once
    // Waits for a visible dialog of this thread with this title (any when null).
    ModalScript& WaitFor(const char* pszTitle, HWND* phFound = nullptr);

    // Runs open() with the script ticking; answers when open() returns.
    void Run(const std::function<void()>& open, DWORD dwTimeout = 10000);
    bool Finished() const { return m_nStep == m_steps.size() && m_strStalled.empty(); }
    std::string m_strStalled; // empty unless a step never finished

private:
    static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwStart = 0, m_dwTimeout = 0;
    bool m_bBusy = false;
};

#endif
