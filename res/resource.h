// Resource ids of TympController.exe. The numbers are shared with the rest of
// the suite and with stored settings; never renumber them.
#ifndef RES_RESOURCE_H
#define RES_RESOURCE_H

// Menus
#define IDR_BAR_MENU  152
#define IDR_TRAY_MENU 154

// Dialog templates
#define IDD_CONTROLLER     102
#define IDD_LOADING        131
#define IDD_TRAYICON       153
#define IDD_WAVE_RECORDING 129 // pages of the Setup sheet
#define IDD_PREFERENCE     139
#define IDD_CONTROLLER_BAR 140
#define IDD_LAUNCHAPPS     30002

// Icon and cursors
#define IDI_TYMP        128
#define IDC_BUTTON      137
#define IDC_BUTTON_DOWN 138

// Faces and name plates of the bar
#define BITMAP_PLATE_HORZ 132
#define BITMAP_FACE_FLOAT 135
#define BITMAP_FACE_HORZ  160
#define BITMAP_FACE_VERT  161
#define BITMAP_PLATE_VERT 214
#define BITMAP_LOADING    156

// Buttons (four 24 x 21 frames each), logos, animations and the About sound
#define BITMAP_LOGO_VERT         129
#define AVI_LOGO_HORZ            133
#define AVI_LOGO_VERT            134
#define WAVE_ABOUT               136
#define BITMAP_HELP_BUTTON       139
#define BITMAP_LOGO_HORZ         154
#define BITMAP_LEG               159
#define BITMAP_STILL_LOGO_FLOAT  164
#define BITMAP_STILL_LOGO_HORZ   165
#define BITMAP_STILL_LOGO_VERT   166
#define BITMAP_SETUP_BUTTON      177
#define BITMAP_CDPLAYER_BUTTON   210
#define BITMAP_MIDIPLAYER_BUTTON 211
#define BITMAP_VOLUME_BUTTON     212
#define BITMAP_WAVEPLAYER_BUTTON 213
#define BITMAP_EXIT_BUTTON       215
#define BITMAP_MINIMIZE_BUTTON   216
#define BITMAP_LAUNCHAPPS_BUTTON 219

// Pictures of the Setup sheet's Controller Bar page
#define BITMAP_PREVIEW_BAR     143
#define BITMAP_PREVIEW_DESKTOP 144
#define BITMAP_PREVIEW_ICON    145

// Controls of the progress window
#define IDC_LOADING_STATUS 1001
#define IDC_LOADING_FRAME  1004

// Controls of the Launch Applications dialog
#define IDC_LAUNCHAPPS_REMOVE 1081
#define IDC_LAUNCHAPPS_LIST   1083
#define IDC_LAUNCHAPPS_BROWSE 1084
#define IDC_LAUNCHAPPS_LAUNCH 106

// Controls of the Setup sheet's Controller Bar page
#define IDC_ALWAYS_ON_TOP   1000
#define IDC_PREVIEW_DESKTOP 1002
#define IDC_PREVIEW_BAR     1003
#define IDC_AUTO_HIDE       1004
#define IDC_PREVIEW_ICON    1005
#define IDC_COORDINATE      1006
#define IDC_INSERT_ICON     1008

// Controls of the Preference page
#define IDC_DEFAULT_CDPLAYER 1008
#define IDC_KEEP_CD_PLAYING  1011

// Controls of the Wave Recording Format page
#define IDC_SAMPLE_RATE 1001
#define IDC_DATA_BITS   1002
#define IDC_CHANNEL     1003
#define IDC_DATA_FORMAT 1004

// Strings
#define IDS_CONTROLLER_NAME       1
#define IDS_LOGO_TIP              2
#define IDS_EXIT_TIP              3
#define IDS_HELP_TIP              4
#define IDS_LAUNCHAPPS_TIP        5
#define IDS_SETUP_TIP             6
#define IDS_LAUNCH_VOLUME         7 // 7 + module index: "Launch ..."
#define IDS_MINIMIZE_MODULES      11
#define IDS_TITLE_VOLUME          12 // 12 + module index: window titles
#define IDS_TITLE_CDPLAYER        13
#define IDS_TITLE_WAVEPLAYER      14
#define IDS_TITLE_MIDIPLAYER      15
#define IDS_BAR_TITLE             18
#define IDS_MONO                  19
#define IDS_STEREO                20
#define IDS_8BIT                  21
#define IDS_16BIT                 22
#define IDS_44100HZ               23
#define IDS_22050HZ               24
#define IDS_11025HZ               25
#define IDS_REMOVE_VOLUME         26 // 26 + module index: "Remove ..."
#define IDS_PCM                   30
#define IDS_ALAW                  31
#define IDS_MULAW                 32
#define IDS_ADPCM                 33
#define IDS_4BIT                  34
#define IDS_RESTORE_MODULES       35
#define IDS_TRAY_TITLE            36
#define IDS_LOADING_TITLE         37
#define IDS_SETUP_CAPTION         102
#define IDS_LOADING_PREPARING     103
#define IDS_LOADING_DEVICES       104
#define IDS_LOADING_INITIALIZING  105
#define IDS_LOADING_FINDING       106
#define IDS_LOADING_MODULES       107
#define IDS_LOADING_COMMUNICATING 108
#define IDS_ABOUT_CAPTION         109
#define IDS_ABOUT_PRODUCT         110
#define IDS_LEGAL_NOTICE          111
#define IDS_TRAY_ABOUT_CAPTION    117
#define IDS_TRAY_ABOUT_PRODUCT    118
#define IDS_TRAY_TIP              119
#define IDS_SYSMENU_ABOUT         120
#define IDS_SYSMENU_MINIMIZE      121
#define IDS_SYSMENU_RESTORE       122
#define IDS_NO_AUDIO_DEVICE       123
#define IDS_LAUNCH_PATH_TOO_LONG  124

// Commands
#define ID_LOGO               101
#define ID_EXIT_BUTTON        102
#define ID_MINIMIZE_BUTTON    104
#define ID_SETUP_BUTTON       105
#define ID_LAUNCHAPPS_BUTTON  106
#define ID_VOLUME_BUTTON      107
#define ID_CDPLAYER_BUTTON    108
#define ID_WAVEPLAYER_BUTTON  109
#define ID_MIDIPLAYER_BUTTON  110
#define ID_RESTORE_MODULES    120
#define ID_MINIMIZE_MODULES   32771
#define ID_ALWAYS_ON_TOP      32772
#define ID_AUTO_HIDE          32773
#define ID_APP_ABOUT          32774
#define ID_APP_EXIT           32775
#define ID_ACTIVATE_MODULES   32776
#define ID_DOCK_TOP           32777
#define ID_DOCK_LEFT          32778
#define ID_DOCK_BOTTOM        32779
#define ID_DOCK_RIGHT         32780
#define ID_FLOAT              32781
#define ID_LAUNCH_WAVEEDITOR  32782
#define ID_LAUNCH_MIDITRACKER 32784
#define ID_TRAY_CONTROLLER    32785
#define ID_TRAY_VOLUME        32786
#define ID_TRAY_CDPLAYER      32787
#define ID_TRAY_WAVEPLAYER    32788
#define ID_TRAY_MIDIPLAYER    32789
#define ID_TRAY_WAVEEDITOR    32790
#define ID_TRAY_MIDITRACKER   32791
#define ID_TRAY_ABOUT         32792
#define ID_TRAY_EXIT          32793
#ifndef ID_HELP
#define ID_HELP 57670 // 0xE146
#endif

#endif
