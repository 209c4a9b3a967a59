// Resource ids of PaneKit.dll's own resources.
#ifndef PANEKIT_PANEKITRES_H
#define PANEKIT_PANEKITRES_H

#define IDD_PANEKIT_ABOUT 100

#define IDC_ABOUT_ICON    1000
#define IDC_ABOUT_PRODUCT 1001
#define IDC_ABOUT_RULE    1002
#define IDC_ABOUT_LEGAL   1003

#endif
