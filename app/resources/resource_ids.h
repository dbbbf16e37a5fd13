// Resource and command ids of korlan, shared by the .rc files and the code.
// Command numbers are grouped by handler:
//   1-450    the main window itself (haupt_fenster::MenueBefehl)
//   501-599  Numeric menu (NumerikBefehl)
//   601-699  data commands of the graphic windows (EditBefehl)
//   801-899  XAFS, DXAS and time-resolved series (XafsBefehl)
//   901-999  XRD and kinetics (XrdBefehl)
// The menu "korlan" lists its command numbers literally, as they are part
// of the macro file format.
#ifndef KORLAN_RESOURCE_IDS_H
#define KORLAN_RESOURCE_IDS_H

#define IDS_APP_TITLE 1

// ---- application shell ----
// Commands of the main window (haupt_fenster::MenueBefehl).
#define CM_NEXT 1
#define CM_PREVIOUS 2
#define CM_REDRAW 37
#define CM_CHANGE 38
#define CM_FIT_CONTINUE 20
#define CM_FIT_INTERRUPT 21
#define CM_FIT_CANCEL 22
#define CM_OPEN 60
#define CM_WRITE_OPTIONS 162
#define CM_READ_OPTIONS 163
#define CM_WINDOW_CLOSED 170
#define CM_EXIT 173
#define CM_HELP_GERMAN 176
#define CM_HELP_ENGLISH 177
#define CM_ASSISTANT 191
// lParam codes of the commands.
#define LP_PREPARED 2
#define LP_CONTINUE_FIT 1
#define LP_SILENT_OPTIONS 2222
#define LP_REOPEN_BACKUP0 111
#define LP_FEFF_CHI 1111

// Child windows and controls of the main window.
#define ID_STATUS_HELP 300
#define ID_STATUS_CURVE 400
#define ID_FIT_TEXT 1111

// Strings: rules of reports, the column caption, error messages 101-118
// (shown through FehlerCode), colour names 200-214, function names 220-229.
#define IDS_DASH_RULE 20
#define IDS_DOT_RULE 21
#define IDS_COLUMN 25
#define IDS_ERROR_FIRST 101
#define IDS_ERROR_LAST 118
#define IDS_COLOUR_FIRST 200
#define IDS_FUNCTION_FIRST 220

// ---- dialogs of the data commands (app/spectra/data_dialogs_win.cpp) ----
// Templates (named, not numbered): COPYFELD, TAKEFELD, FUNCFELD,
// GET_FILE_INFORMATION, SPEKTRENSHIFT, ABZISSENSHIFT, NOISEGENERATOR,
// COMBINE_GRAFIK, USERSTYLE, CLIPBOARDFORMAT (app/resources/spectra_dialogs.rc). Control
// ids repeat between dialogs; the names say which dialog means what.
#define IDC_DLG_HELP 160            // help button of every dialog
#define IDC_DLG_APPLY 37            // "&Apply" of the two arithmetic dialogs
// COPYFELD and COMBINE_GRAFIK: window w 0-3, slot s 0-3
#define IDC_WIN_GROUP 200           // + 10 w: group with the file name
#define IDC_WIN_SLOT 201            // + 10 w + s: radio (copy) or check box (combine)
#define IDC_COMB_ORDER 100          // + 10 w + s: order number label
#define IDC_COMB_RIGHT 300          // + 10 w + s: "r" (right-hand axis)
#define IDC_COMB_NONE 63
#define IDC_COMB_SLIGHTLY 552
#define IDC_COMB_MEDIUM 553
#define IDC_COMB_STRONG 554
#define IDC_COMB_VALUE 555
#define IDC_COMB_VALUE_EDIT 511
#define IDC_COMB_SYMBOL 30
#define IDC_COMB_LINESTYLE 574
#define IDC_COMB_LINEWIDTH 575
#define IDC_COMB_USER 581
#define IDC_COMB_3D 556
#define IDC_COMB_3D_FROM 58
#define IDC_COMB_3D_TO 59
// TAKEFELD
#define IDC_TAKE_SLOT 50            // + s
#define IDC_TAKE_ORIGINAL 45
#define IDC_TAKE_FROM 58
#define IDC_TAKE_TO 59
// FUNCFELD
#define IDC_FUNC_POINTS 58
#define IDC_FUNC_SINGLE 552
#define IDC_FUNC_NUMBER_LABEL 553
#define IDC_FUNC_NUMBER 554
// GET_FILE_INFORMATION
#define IDC_INFO_NAME 80
#define IDC_INFO_FOLDER 500
#define IDC_INFO_SIZE 501
#define IDC_INFO_POINTS 502
#define IDC_INFO_TEXTLINES 50
#define IDC_INFO_COLUMNS 505
#define IDC_INFO_XCOLUMNS 506
#define IDC_INFO_YCOLUMNS 507
#define IDC_INFO_XCOMBO 510
#define IDC_INFO_YCOMBO 511
#define IDC_INFO_PREVIEW 301
#define IDC_INFO_DXAS_GROUP 801
#define IDC_INFO_NONE 552
#define IDC_INFO_SAMPLE 807
#define IDC_INFO_INTERPOLATION 553
// SPEKTRENSHIFT and ABZISSENSHIFT
#define IDC_SHIFT_FACTOR 511
#define IDC_SHIFT_CONSTANT 59
#define IDC_SHIFT_FUNCTION 19
#define IDC_SHIFT_EXTERNAL 58
#define IDC_SHIFT_OPERAND 505
#define IDC_SHIFT_MODEL 578
#define IDC_SHIFT_PLUS 552          // then minus 553, times 554, divided 555
#define IDC_SHIFT_FACTOR2 400
#define IDC_SHIFT_CONSTANT2 410
#define IDC_SHIFT_FUNCTION2 470
#define IDC_ABSZ_WITH_Y 552
#define IDC_ABSZ_WITHOUT_Y 553
// NOISEGENERATOR
#define IDC_NOISE_LABEL 80
#define IDC_NOISE_VALUE 59
// USERSTYLE
#define IDC_STYLE_CURVES 201
#define IDC_STYLE_CONNECT 27
#define IDC_STYLE_CIRCLES 28
#define IDC_STYLE_BARS 29
#define IDC_STYLE_TRIANGLES 30
#define IDC_STYLE_SQUARES 31
#define IDC_STYLE_STARS 32
#define IDC_STYLE_SOLID 34
#define IDC_STYLE_DASHED 36
#define IDC_STYLE_DOT 38
#define IDC_STYLE_DASHDOT 40
#define IDC_STYLE_WIDTH 230
#define IDC_STYLE_COLOUR 311
// CLIPBOARDFORMAT (copy command 610)
#define IDC_CLIP_METAFILE 552
#define IDC_CLIP_BITMAP 553
#define IDC_CLIP_SMALL 650          // then medium 651, large 652
#define IDC_CLIP_CUSTOM 555
#define IDC_CLIP_WIDTH 58
#define IDC_CLIP_HEIGHT 59

// Dialogs of the fit model choice (app/fit/fit_choice_win.cpp): row of type
// t = button IDC_GF_TYPE + t, count edit IDC_GF_COUNT + t, spin bar
// IDC_GF_SPIN + t.
#define IDC_GF_TYPE 100
#define IDC_GF_COUNT 200
#define IDC_GF_SPIN 300
#define IDC_GF_THRESHOLD 475
#define IDC_GF_FWHM 501
#define IDC_GF_PEAKSEARCH 532
#define IDC_GF_FROM_FILE 533
#define IDC_GF_FILE 552
#define IDC_GF_FILE_NAME 553
#define IDC_GF_KEEP_FLAGS 600
#define IDC_GF_TRY_AGAIN 601
#define IDC_GF_DERIVATIVE 58
#define IDC_GF_DERIVATIVE_LIST 59
#define IDC_GF_ERROR 400
#define IDC_GF_THRESHOLD_LABEL 476
#define IDC_GF_FWHM_LABEL 502
#define IDC_FB_FROM 58
#define IDC_FB_TO 59

// The parameter table SET_ALL_PARAMETER and SETCONSTRAIN
// (app/fit/parameter_dialogs_win.cpp): value edit of function row r,
// parameter c = IDC_PT_VALUE + 10 r + c, its caption IDC_PT_CAPTION +
// 10 r + c, the function caption IDC_PT_FUNCTION + r.
#define IDC_PT_FUNCTION 80
#define IDC_PT_VALUE 100
#define IDC_PT_CAPTION 200
#define IDC_PT_FIXED 251
#define IDC_PT_CONSTRAIN 252
#define IDC_PT_CORRELATION 253
#define IDC_PT_XRD_SHIFT 476
#define IDC_PT_ERROR 400
#define IDC_PT_SCHEME 600
#define IDC_PT_SCHEME_SAVE 601
#define IDC_PT_SCHEME_LOAD 602
#define IDC_PT_BACK 38
#define IDC_PT_GRAPHIC 63
#define IDC_SC_TOP 58
#define IDC_SC_BOTTOM 59

// The correlation dialog SET_CORRELATION (app/fit/correlation_win.cpp).
#define IDC_KO_SP 100
#define IDC_KO_FREE 110
#define IDC_KO_LIST 120
#define IDC_KO_EQUAL 58
#define IDC_KO_SUM 59
#define IDC_KO_PLUS 552
#define IDC_KO_MINUS 553
#define IDC_KO_TIMES 554
#define IDC_KO_DIV 555
#define IDC_KO_VALUE 200
#define IDC_KO_THIRD 505
#define IDC_KO_ADD 37
#define IDC_KO_SHOW_ALL 140

// Help viewer NUMERIC_HELP and assistant ASSIST (help.rc).
#define IDC_HELP_TEXT 301
#define IDC_ASSIST_TEXT 50
#define IDC_ASSIST_LIST 80
#define IDC_ASSIST_NEXT 37

// XAS input dialogs (app/xas/polygrad_dialog_win.cpp, calc_xas_win.cpp).
// GETPOLYGRAD: the value edits, the group box and the four labels.
#define IDC_POLY_FELD 201
#define IDC_POLY_FELD2 100
#define IDC_POLY_FELD3 110
#define IDC_POLY_GRUPPE 50
#define IDC_POLY_TEXT1 200
#define IDC_POLY_TEXT2 210
#define IDC_POLY_TEXT3 220
#define IDC_POLY_SYMBOL 230
// CALCXAS: the layouts, the four column lists, mode, channel run, preview
// and the two counts of the raw file; the layouts of the string table.
#define IDC_CALC_LAYOUT 505
#define IDC_CALC_E 100
#define IDC_CALC_I0 110
#define IDC_CALC_I1 120
#define IDC_CALC_I2 130
#define IDC_CALC_TRANS 552
#define IDC_CALC_FLUO 553
#define IDC_CALC_MITTEL 554
#define IDC_CALC_VON 475
#define IDC_CALC_BIS 476
#define IDC_CALC_VORSCHAU 301
#define IDC_CALC_KOPF 58
#define IDC_CALC_PUNKTE 59
#define IDS_LAYOUT_ERSTE 350
#define IDS_LAYOUT_LETZTE 355

// Popup menu "PaintPopup" of the graphic windows (grafik_fenster_win.cpp):
// the items carry the command numbers the window handles or forwards.
#define IDM_PAINT_COMBINE 5
#define IDM_PAINT_CHANGE 38
#define IDM_PAINT_OPT_GRAFIK 112
#define IDM_PAINT_PRINT 122
#define IDM_PAINT_FLIPFONT 193
#define IDM_PAINT_OPT_FONTS 194
#define IDM_PAINT_BKGRD 517
#define IDM_PAINT_RESTORE 521
#define IDM_PAINT_SECTION 605
#define IDM_PAINT_SUBMIN 607
#define IDM_PAINT_ZOOM 616
#define IDM_PAINT_NORMMAX 804
#define IDM_PAINT_ACHSEN 1001       // then the style toggles 1002-1013
#define IDM_PAINT_KREISE 1002
#define IDM_PAINT_BALKEN 1003
#define IDM_PAINT_LINIE 1004
#define IDM_PAINT_DICK 1005
#define IDM_PAINT_RAHMEN 1006
#define IDM_PAINT_IMAG 1007
#define IDM_PAINT_GITTER 1008
#define IDM_PAINT_XTEXT 1009
#define IDM_PAINT_YTEXT 1010
#define IDM_PAINT_WINKEL_MINUS 1011
#define IDM_PAINT_WINKEL_PLUS 1012
#define IDM_PAINT_FARBE 1013

// Printing: the abort dialog ABORTPRINTING and PRINTERSETUP.
#define IDC_DRUCK_WAS 50
#define IDC_DRUCK_DATEI 80
#define IDC_DRUCK_KLEIN 552
#define IDC_DRUCK_MITTEL 553
#define IDC_DRUCK_GROSS 554
#define IDC_DRUCK_ANDERE 555
#define IDC_DRUCKER_LISTE 3000
#define IDC_DRUCKER_NUR_ANWENDUNG 3001
#define IDC_DRUCKER_EINRICHTEN 3002

// The section dialog SET_BORDER (app/xas/section_dialog_win.cpp) and the
// spline dialogs SPLINE_FIT and AD_SPLINE_FIT (spline_dialogs_win.cpp).
#define IDC_SB_VORSCHAU 30
#define IDC_SB_OBEN 35
#define IDC_SB_UNTEN 36
#define IDC_SB_ZEIGEN 37
#define IDC_SB_ZURUECK 38
#define IDC_SB_X 58
#define IDC_SB_Y 59
#define IDC_SB_FIT 55
#define IDC_SB_PARAMETER 56
#define IDC_SB_RADIO1 552
#define IDC_SB_RADIO2 553
#define IDC_SB_TEXT1 17
#define IDC_SB_WERT1 18
#define IDC_SB_TEXT2 19
#define IDC_SB_WERT2 20
#define IDC_SB_SPIN 301
#define IDC_SB_SCHRITT 302
#define IDC_SB_SPINTEXT 104
#define IDC_SB_FEFF 472
#define IDC_SB_ERGEBNIS 140
#define IDC_SB_ERGEBNISSE 150
#define IDC_SB_AUTOSPLINE 651
#define IDC_SB_RRAUM 652
#define IDC_SB_RWERT 650
#define CM_SB_ANGEBOT 999
#define IDC_SF_ANZAHL 201
#define IDC_SF_GEWICHT 100
#define IDC_AS_ABSCHNITT 200         // 200-204: the five section boxes
#define IDC_AS_GEWICHT 58
#define IDC_AS_GRAD 150              // 150-154 degree edits, spin bars 100-104
#define IDC_AS_GRAD_SPIN 100
#define IDC_AS_WICHTUNG 350          // 350-354 weight edits, spin bars 300-304
#define IDC_AS_WICHTUNG_SPIN 300

#endif
