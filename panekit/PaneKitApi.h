// PaneKit.dll exports its classes; the program and the tests import them.
#ifndef PANEKIT_PANEKITAPI_H
#define PANEKIT_PANEKITAPI_H

#ifdef PANEKIT_BUILD
#define PANEKIT_API __declspec(dllexport)
#else
#define PANEKIT_API __declspec(dllimport)
#endif

#endif
