// How long the auto-hide slide holds the thread, and in how many moves.
// The slide runs inside the message handler without dispatching, so its
// length is how long the whole program stops answering.
//
// Usage: SlideBench [slides]     (default 10, alternately showing and hiding)
#include "FakeAppBarShell.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class CBenchBar : public CDockingBarDlg {
public:
    CBenchBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) { }
    using CDockingBarDlg::m_dwFlags;
    using CDockingBarDlg::ShowAutoHideBar;
    int m_nMoves = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WINDOWPOSCHANGED)
            m_nMoves++;
        return CDockingBarDlg::WindowProc(message, wParam, lParam);
    }
};

struct Slide {
    int nMoves;
    double msBlocked;
    int xFrom, xTo;
};

void PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<Slide> RunSlides(CBenchBar& bar, int nSlides, BOOL bFullDrag)
{
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, bFullDrag, nullptr, 0);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<Slide> slides;
    bar.ShowAutoHideBar(FALSE);
    PumpPending();
    for (int i = 0; i < nSlides; i++) {
        RECT rcFrom, rcTo;
        bar.GetWindowRect(&rcFrom);
        bar.m_nMoves = 0;
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        bar.ShowAutoHideBar(i % 2 == 0);
        QueryPerformanceCounter(&t1);
        bar.GetWindowRect(&rcTo);
        slides.push_back({ bar.m_nMoves, 1000.0 * (double)(t1.QuadPart - t0.QuadPart) / (double)freq.QuadPart,
                           (int)rcFrom.left, (int)rcTo.left });
        PumpPending(); // paint and settle between slides, as between real ones
    }
    return slides;
}

template <typename T>
void PrintSpread(const char* pszWhat, std::vector<T> values, const char* pszFormat)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    T median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    printf("%-12s min ", pszWhat);
    printf(pszFormat, values.front());
    printf("  median ");
    printf(pszFormat, median);
    printf("  max ");
    printf(pszFormat, values.back());
    printf("\n");
}

void Report(const char* pszTitle, const std::vector<Slide>& slides)
{
    printf("%s\n", pszTitle);
    printf("  slide  direction  from x  to x  moves  blocked ms\n");
    std::vector<double> ms;
    std::vector<double> moves;
    for (size_t i = 0; i < slides.size(); i++) {
        printf("  %5zu  %-9s  %6d  %4d  %5d  %10.1f\n", i + 1, i % 2 == 0 ? "show" : "hide", slides[i].xFrom,
               slides[i].xTo, slides[i].nMoves, slides[i].msBlocked);
        ms.push_back(slides[i].msBlocked);
        moves.push_back(slides[i].nMoves);
    }
    PrintSpread("  moves", moves, "%.0f");
    PrintSpread("  blocked ms", ms, "%.1f");
    printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    int nSlides = argc > 1 ? atoi(argv[1]) : 10;
    if (nSlides < 1) {
        fprintf(stderr, "usage: SlideBench [slides]\n");
        return 2;
    }

    FakeAppBarShell shell;
    BOOL bSavedDrag = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bSavedDrag, 0);

    CBenchBar bar;
    if (!bar.Create(IDD_CONTROLLER, nullptr)) {
        fprintf(stderr, "SlideBench: the bar could not be created\n");
        return 1;
    }
    // Another window keeps the activation, as when the user works elsewhere;
    // otherwise losing it would start a slide of its own in the middle of one.
    HWND hWndActive = CreateWindowExA(0, "STATIC", "SlideBench", WS_POPUP | WS_VISIBLE, 200, 200, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
    SetForegroundWindow(hWndActive);
    SetActiveWindow(hWndActive);
    // Only the slides measured here may move the bar.
    bar.KillTimer(DB_AUTOHIDE_TIMER);
    bar.m_dwFlags = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWAUTOHIDE;
    DOCKBARSTATE state = {};
    state.cbSize = sizeof state;
    state.nEdge = ABE_RIGHT;
    state.bAutoHide = TRUE;
    state.bAlwaysOnTop = TRUE;
    for (int& c : state.anDockSize)
        c = 32;
    bar.SetBarState(&state);
    PumpPending();

    printf("Auto-hide bar, 32 x %d on the right edge; a slide is %d ms by design.\n\n", GetSystemMetrics(SM_CYSCREEN),
           DB_SLIDE_TIME);
    Report("Full-window dragging on:", RunSlides(bar, nSlides, TRUE));
    Report("Full-window dragging off:", RunSlides(bar, std::min(nSlides, 4), FALSE));

    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, bSavedDrag, nullptr, 0);
    bar.DestroyWindow();
    DestroyWindow(hWndActive);
    return 0;
}
