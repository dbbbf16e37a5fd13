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
#define IDC_KO_SHOW_MS 652

// The graphic parameter entry SET_PARAMETER
// (app/fit/graphic_parameter_win.cpp): value edit of parameter c =
// IDC_SP_VALUE + c, its caption IDC_SP_CAPTION + c, its fix box
// IDC_SP_FIX + c.
#define IDC_SP_PREVIEW 30
#define IDC_SP_FUNCTION 80
#define IDC_SP_VALUE 40
#define IDC_SP_CAPTION 50
#define IDC_SP_FIX 100
#define IDC_SP_BACK 38
#define IDC_SP_SHOW 37
#define IDC_SP_FLAGS 60

// The multiple-scattering correlation SET_MSCORRELATION
// (app/fit/correlation_win.cpp).
#define IDC_MS_SP 100
#define IDC_MS_FIRST 110
#define IDC_MS_LAST 120
#define IDC_MS_TRIPLE 552
#define IDC_MS_QUADRUPLE 553
#define IDC_MS_ANGLE 58

// The XAFS parameter table SET_XAFS_PARAMETERS (app/fit/xafs_table_win.cpp;
// its rows, flag boxes, scheme and paging controls are those of
// SET_ALL_PARAMETER): "Fix all" of column c = IDC_XT_FIX_ALL + c.
#define IDC_XT_FIX_ALL 300
#define IDC_XT_CONSTRAIN_N 520
#define IDC_XT_CONSTRAIN_R 557
#define IDC_XT_CONSTRAIN_S2 537
#define IDC_XT_FIX_WEIGHT 567
#define IDC_XT_WEIGHT_LIMIT 566
#define IDC_XT_COPY 561
#define IDC_XT_MS_PATH 559
#define IDC_XT_MS_DISTANCE 650
#define IDC_XT_AVE_SIGMA 553
#define IDC_XT_AVE_E0 651
#define IDC_XT_POT_E0 554
#define IDC_XT_POT_SIGMA 555
#define IDC_XT_XYZ 552
#define IDC_XT_EXIT 546
#define IDC_XT_MULTIPLE 255
#define IDC_XT_CLUSTER 256
#define IDC_XT_MS_BOX 257
#define IDC_XT_DELTA_R 260
#define IDC_XT_FLAGS_ONLY 603
#define IDC_XT_DEBYE 532
#define IDC_XT_NONE 533
#define IDC_XT_EINSTEIN 534
#define IDC_XT_TEMP 58
#define IDC_XT_DTEMP 59
#define IDC_XT_CORR 37
#define IDC_XT_CALC 558
#define IDC_XT_RULE_MEAN 654
#define IDC_XT_RULE_ROOT 655
#define IDC_XT_RULE_NLEG 656
#define IDC_XT_FREE_COUNT 821
#define IDC_XT_INDEPENDENT 825
#define IDC_XT_POLY_CORR 573
#define IDC_XT_POLY_DEGREE 582
#define IDC_XT_SHOW_MS 500

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

// ---- axis-scaling dialog CHANGESCALE (app/spectra/change_scale_win.cpp) ----
// Edits of the tick numbers, grid lines and axis distances of the X, Y and
// Z axes; the scroll bar of each edit has the edit's id + 1.
#define IDC_SCALE_X_NUMBERS 200
#define IDC_SCALE_Y_NUMBERS 210
#define IDC_SCALE_Z_NUMBERS 220
#define IDC_SCALE_X_LINES 100
#define IDC_SCALE_Y_LINES 110
#define IDC_SCALE_Z_LINES 120
#define IDC_SCALE_X_DISTANCE 300
#define IDC_SCALE_Y_DISTANCE 310
#define IDC_SCALE_Z_DISTANCE 320
#define IDC_SCALE_SIGN 603
// ---- settings and option dialogs (app/shell/option_dialogs_win.cpp,
// axis_dialog_win.cpp, plot_dialogs_win.cpp; templates in
// app/resources/option_dialogs.rc and plot_dialogs.rc) ----
// DEFAULTFONT (194): profile 1 in 100-107 and box 108, profile 2 in
// 130-137 and box 138.
#define IDC_PROFIL1_ERSTES 100
#define IDC_PROFIL1_RAHMEN 108
#define IDC_PROFIL2_ERSTES 130
#define IDC_PROFIL2_RAHMEN 138
// FITOPTIONEN (140)
#define IDC_FITOPT_WICHTUNG 19
#define IDC_FITOPT_ABBRUCH 35
#define IDC_FITOPT_DELTA 210
#define IDC_FITOPT_ITERATIONEN 220
#define IDC_FITOPT_KONFIDENZ 230
#define IDC_FITOPT_KEIN_NEU 552
#define IDC_FITOPT_AUTO_NEU 553
#define IDC_FITOPT_STOPP 554
// FILEOPTIONEN (172)
#define IDC_FILEOPT_GLITCH 80
#define IDC_FILEOPT_PROZENT 533
#define IDC_FILEOPT_PUNKTE 201
#define IDC_FILEOPT_BINAER 552
#define IDC_FILEOPT_ASCII 553
#define IDC_FILEOPT_LOG 230
#define IDC_FILEOPT_SICHERUNG 554
#define IDC_FILEOPT_PERIODE 555
#define IDC_FILEOPT_BROWSER 210
// OPTEXAFS (813)
#define IDC_EXOPT_MAXR 35
#define IDC_EXOPT_K512 201
#define IDC_EXOPT_K1024 202
#define IDC_EXOPT_K2048 203
#define IDC_EXOPT_RSCHRITT 58
#define IDC_EXOPT_ANGSTROEM 552
#define IDC_EXOPT_PM 553
#define IDC_EXOPT_DRITTE 200
#define IDC_EXOPT_GLEICHES 210
#define IDC_EXOPT_FT_CHI 656
#define IDC_EXOPT_BIS 110
#define IDC_EXOPT_VON 100
// ACHSEN (450)
#define IDC_ACHSEN_VORSCHAU 30
#define IDC_ACHSEN_LEGENDE 50
#define IDC_ACHSEN_X 450
#define IDC_ACHSEN_Y 451
#define IDC_ACHSEN_TITEL 452
#define IDC_ACHSEN_DRITTE 577
#define IDC_ACHSEN_X_LINKS 400      // 400-402 left, center, right
#define IDC_ACHSEN_Y_LINKS 410
#define IDC_ACHSEN_TITEL_LINKS 420
#define IDC_ACHSEN_BUENDIG 101
#define IDC_ACHSEN_LOESCHEN 38
#define IDC_ACHSEN_FONTS 37
#define IDC_ACHSEN_ANWENDEN 130
// OPTIONEN_GRAFIK (112)
#define IDC_GRAF_FUNC_CONNECT 27    // 27-30 function, 37-40 data array
#define IDC_GRAF_PLOT_CONNECT 37
#define IDC_GRAF_KREIS 300
#define IDC_GRAF_KREIS_SPIN 301
#define IDC_GRAF_DREIECK 302
#define IDC_GRAF_DREIECK_SPIN 303
#define IDC_GRAF_FUNC_LINIE 24
#define IDC_GRAF_FUNC_GESTRICHELT 26
#define IDC_GRAF_PLOT_LINIE 34
#define IDC_GRAF_PLOT_GESTRICHELT 36
#define IDC_GRAF_DOT_L 601
#define IDC_GRAF_DOT_M 600
#define IDC_GRAF_DOT_S 602
#define IDC_GRAF_XNUM 450
#define IDC_GRAF_YNUM 451
#define IDC_GRAF_ZNUM 561
#define IDC_GRAF_RAHMEN_BREITE 35
#define IDC_GRAF_ACHSE_BREITE 510
#define IDC_GRAF_PLOT_BREITE 552
#define IDC_GRAF_FUNC_BREITE 533
#define IDC_GRAF_PLOT_FARBE 311
#define IDC_GRAF_FUNC_FARBE 310
#define IDC_GRAF_HINTERGRUND 576
#define IDC_GRAF_GITTER 520
#define IDC_GRAF_RAHMEN 560
#define IDC_GRAF_NUR_PUNKTE 50
#define IDC_GRAF_KEIN_XTEXT 579
#define IDC_GRAF_KEIN_YTEXT 580
#define IDC_GRAF_IMAG 553
#define IDC_GRAF_REAL 554
#define IDC_GRAF_BALKEN 653
#define IDC_GRAF_BALKEN_AUTO 603
#define IDC_GRAF_EINZELN 470
#define IDC_GRAF_WINKEL 562
#define IDC_GRAF_VERH2 650          // 650-652 ratio 2, 3, 4
#define IDC_GRAF_BEREICH 472
#define IDC_GRAF_YMIN 475
#define IDC_GRAF_YMAX 476
#define IDC_GRAF_XMIN 657
#define IDC_GRAF_XMAX 658
#define IDC_GRAF_DRUCK 122
// SETBARSTYLE: hatches 100-104, box 552
#define IDC_BALKEN_HORIZONTAL 100
#define IDC_BALKEN_ERWEITERT 552
// FONTS (501): height edits 567, 569, 571, 573; weights 808-819 (three per
// row); italic 820-823, underline 824-827
#define IDC_FONTS_SKALA 567
#define IDC_FONTS_ACHSE 569
#define IDC_FONTS_BESCHRIFTUNG 571
#define IDC_FONTS_TITEL 573
#define IDC_FONTS_GEWICHT 808
#define IDC_FONTS_KURSIV 820
#define IDC_FONTS_UNTERSTRICHEN 824
// CHOOSECOLOR: names 310, picks 311, "---->" 37
#define IDC_FARBE_NAMEN 310
#define IDC_FARBE_WAHL 311
#define IDC_FARBE_NEHMEN 37
// PRINTOPT (113)
#define IDC_PRINTOPT_SEITE 58
#define IDC_PRINTOPT_KLEIN 552      // 552-555 small, medium, large, others
#define IDC_PRINTOPT_ANDERE 555
#define IDC_PRINTOPT_X 200
#define IDC_PRINTOPT_Y 210
#define IDC_PRINTOPT_WEISS 220
#define IDC_PRINTOPT_FARBIG 230
#define IDC_PRINTOPT_XMAX 475
#define IDC_PRINTOPT_YMAX 476
// The fit run (fit_run.rc): the labels of the fit panel's status text and
// the message of a fit that lacks its set-up.
#define IDS_ITERATIONS 22
#define IDS_RESIDUAL 23
#define IDS_CHI2 24
#define IDS_FIT_SETUP_ERROR 119
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


// XRD options dialog (XRD_OPTIONS)
#define IDC_XRDO_QUELLE 552          // combo box of the X-ray sources
#define IDC_XRDO_WELLENLAENGE 533
#define IDC_XRDO_BREITE 475
#define IDC_XRDO_LORENTZ 58
#define IDC_XRDO_GAUSS 59
// Series dialogs (app/series/series_dialogs_win.cpp): SHOWHEADER (826),
// DEXFOIL (890), AVERAGE (827).
#define IDC_KOPF_ZEIT 200
#define IDC_KOPF_TEMPERATUR 201
#define IDC_KOPF_NUMMER 80
#define IDC_FOLIE_NAME 80
#define IDC_MITTEL_DATEI 80
#define IDC_MITTEL_SPALTEN 201
#define IDC_MITTEL_LISTE 63
#define IDC_MITTEL_DXAS 200
// DXAS dialogs (app/series/dex_spectra_win.cpp, dex_scale_win.cpp):
// CALCDEXSPEC (833), CONVERTDEX (821), DEXSCALE (819). A browse button's
// edit is the button's id + 100.
#define IDC_DEX_I0_1 100
#define IDC_DEX_I0_2 105
#define IDC_DEX_I1 110
#define IDC_DEX_DUNKEL_1 120
#define IDC_DEX_DUNKEL_2 125
#define IDC_DEX_FOLIE_1 130
#define IDC_DEX_FOLIE_2 135
#define IDC_DEX_EDIT_ABSTAND 100
#define IDC_DEX_MEHRSPALTIG 552
#define IDC_DEX_DEXFORMAT 553
#define IDC_DEX_BL8 554
#define IDC_DEX_GRUPPE_I0_2 140
#define IDC_DEX_GRUPPE_DUNKEL_2 145
#define IDC_DEX_GRUPPE_FOLIE_1 150
#define IDC_DEX_GRUPPE_FOLIE_2 155
#define IDC_DEX_C0 300
#define IDC_DEX_C1 310
#define IDC_DEX_C2 320
#define IDC_DEX_VORSCHAU 30
#define IDC_DEX_FOLIE 544
#define IDC_DEX_NULL 552
#define IDC_DEX_ERSTE 553
#define IDC_DEX_ZWEITE 554
#define IDC_DEX_VERSATZ 101
#define IDC_DEX_STATUS 545
// McMaster calculator MUCAL (app/xas/mcmaster_calc_win.cpp); button 1
// (IDOK) is "Search" / "EXIT".
#define IDS_MC_KANTEN 2000
#define IDS_MC_WERTE 2001
#define IDC_MC_ELEMENT 80
#define IDC_MC_ENERGIE 552
#define IDC_MC_Z 58
#define IDC_MC_GEWICHT 59
#define IDC_MC_DICHTE 201
#define IDC_MC_ABSORPTION 553
#define IDC_MC_MASSE 554
#define IDC_MC_KANTEN_TEXT 200
#define IDC_MC_KANTEN 100
#define IDC_MC_WERTE_TEXT 210
#define IDC_MC_WERTE 110
#define IDC_MC_LAENGE 120
#define IDC_MC_GAS1 220
#define IDC_MC_PROZENT1 652
#define IDC_MC_GAS2 230
#define IDC_MC_PROZENT2 653
#define IDC_MC_KAMMER 130

// ---- dialogs of the Numeric menu's curve tools (app/fit/numeric_tools_dialogs_win.cpp) ----
#define IDC_FSMOOTH_INTERVAL 40
#define IDC_NT_PUNKTE 502          // the curve's point count (static)
#define IDC_NT_NEUE_PUNKTE 201     // the new number of points
#define IDC_GOLAY_GRAD01 552
#define IDC_GOLAY_GRAD23 553
#define IDC_GOLAY_GRAD45 554
#define IDC_GOLAY_INTERVALL 502
#define IDC_GOLAY_DURCHLAEUFE 201
#define IDC_BSPLINE_GRAD 534

// ---- the Fourier transformation and its previews (app/fit/fourier_transform_win.cpp,
// fourier_dialogs_win.cpp) ----
#define IDS_FT_FENSTER 300          // 300-305: "None" ... "Hanning"
#define IDC_FT_FENSTER_ERSTES 200   // 200-205: the window types 0-5
#define IDC_FT_PARAMETER 40
#define IDC_FT_VON 58
#define IDC_FT_BIS 59
#define IDC_FT_GRAFIK 63
#define IDC_FT_ZEIGE_FENSTER 37
#define IDC_FT_ZEIGE_K 110
#define IDC_FT_NULLEN 502
#define IDC_FT_K_GRUPPE 558
#define IDC_FT_K_GEWICHT 559
#define IDC_FT_PUNKTE 220
#define IDC_FT_K_PUNKTE 230
#define IDC_FT_OPTIONEN 250
#define IDC_FT_SCHRITT 300
#define IDC_FT_SCHRITT_GRUPPE 301
#define IDC_FT_HIN 530
#define IDC_FT_ZURUECK 531
#define IDC_FT_NULLSTELLE 544
#define IDC_FT_PHASE 555
#define IDC_FT_LADE_PHASE 568
#define IDC_FT_LADE_AMPLITUDE 569
#define IDC_FT_PHASE_NAME 80
#define IDC_FT_AMPLITUDE_NAME 210
#define IDC_FTV_FLAECHE 30          // drawing area of SHOWWINDOW and WEIGHTFT
#define IDC_FTV_FENSTER_NAME 80
#define IDC_FTV_ZEIGEN 37
#define IDC_FTV_K1 559
#define IDC_FTV_K2 560
#define IDC_FTV_K3 561
// ---- dialogs of the Numeric menu's analysis tools and level-off fits (app/fit/numeric_tools_dialogs_win.cpp) ----
#define IDC_ASPLINE_GEWICHT 476
#define IDC_ASPLINE_INTERPOLIEREN 552   // weight presets 552-555
#define IDC_ASPLINE_LEICHT 553
#define IDC_ASPLINE_STARK 554
#define IDC_ASPLINE_ANDERE 555
#define IDC_ASPLINE_SPLINE 100          // result 100 spline, 101-103 derivatives
#define IDC_APOLY_TITEL 999             // caption of 201
#define IDC_APOLY_ANZAHL 58             // number of polynomials
#define IDC_APOLY_GEWICHT 59            // weight in per cent
#define IDC_APOLY_GRADE 546             // degrees, one per line
#define IDC_NT_FUNKTION 19              // function / data array
#define IDC_NT_DATEN 45
#define IDC_NT_VON 400
#define IDC_NT_BIS 410
#define IDC_NT_TOLERANZ 475
#define IDC_NULL_SCHRITT 502
#define IDC_NULL_ERSTE 470
#define IDC_NULL_ALLE 300
#define IDC_NULL_SPLINE 578
#define IDC_DIFF_ERSTE 530
#define IDC_DIFF_ZWEITE 531
#define IDC_DIFF_SCHRITT 450
#define IDC_DIFF_FEHLER 475
#define IDC_DIFF_UNGLEICH 476
#define IDC_DIFF_SPLINE 503
#define IDC_DIFF_PUNKTE 451             // points of the function's derivative
#define IDC_MINMAX_BEIDE 552
#define IDC_MINMAX_MINIMA 553
#define IDC_MINMAX_MAXIMA 554
#define IDC_MINMAX_GLAETTEN 200
#define IDC_MINMAX_INTERVALL 201
#define IDC_MINMAX_ORDINATE 210
#define IDC_MINMAX_EXTREMSTES 220

// ---- live parameter change dialog CHANGE (app/fit/change_dialog_win.cpp) ----
#define IDC_CHANGE_NAME 80
#define IDC_CHANGE_NUMMER 110
#define IDC_CHANGE_TITEL 200       // captions 200-206
#define IDC_CHANGE_WERT 100        // values 100-106
#define IDC_CHANGE_ZURUECK 38
#define IDC_CHANGE_WEITER 37
#define IDC_CHANGE_GEHE 59
#define IDC_CHANGE_SCROLL 552
#define IDC_CHANGE_STUFE 554       // step radio buttons 554-559
#define IDC_CHANGE_ANWENDEN 55
#define IDC_CHANGE_FLAECHE 58
// ---- the XANES fit dialogs (app/xas/xanes_fit_win.cpp, lc_xanes_win.cpp) ----
// XASPEAKE
#define IDC_XP_LISTE 201           // profile functions of the model
#define IDC_XP_ALT_GRUPPE 50       // "  old position"
#define IDC_XP_ALT 59
#define IDC_XP_NEU_GRUPPE 80       // "  new edge position"
#define IDC_XP_NEU 58
// LC_XANES
#define IDC_LC_DATEIEN 100         // "&F": choose the reference files
#define IDC_LC_LISTE 200           // chosen references
#define IDC_LC_ANZAHL 201          // number of spectra
#define IDC_LC_KORREKTUREN 58      // f-corrections, one a line
#define IDC_LC_GRAFISCH 63         // "&G": the range in the section dialog
#define IDC_LC_VON 651
#define IDC_LC_BIS 652
#define IDC_LC_PROFIL 552          // " Add profile function"
#define IDC_LC_NULL 554            // " Zero if 'Limit' exceeded"
#define IDC_LC_GRENZE 555          // " Limit (eV)"
// ---- XRD structure fit XRDSTRUCTFIT (app/xrd/xrd_structure_fit_win.cpp) ----
#define IDC_XS_PHASEN 59            // number of phases
#define IDC_XS_PHASE 505            // current phase
#define IDC_XS_SYSTEM 210           // 210-215 cubic ... triclinic
#define IDC_XS_GITTER 100           // 100-105 a, b, c, alpha, beta, gamma
#define IDC_XS_PROFIL 200           // 200-202 Gaussian, Lorentzian, pseudo-Voigt
#define IDC_XS_GESETZ 120           // 120-123 width laws
#define IDC_XS_W 553
#define IDC_XS_UNTERGRUND 140       // 140-142 none, polynomial, four terms
#define IDC_XS_GRAD 552
#define IDC_XS_NULL_FREI 130
#define IDC_XS_NULLPUNKT 58
#define IDC_XS_DOPPEL 150
#define IDC_XS_ALPHA1 170
#define IDC_XS_ALPHA2 180
#define IDC_XS_SCHNITT 160
#define IDC_XS_SCHNITT_FAKTOR 500
#define IDC_XS_HKL 40

// ---- Fourier synthesis FOURIERSYNTHESE (app/xrd/xrd_fourier_synthesis_win.cpp) ----
#define IDC_FS_FENSTER 45           // " window content" (disabled)
#define IDC_FS_EINGABE 502          // " enter coefficients"
#define IDC_FS_ANZAHL 201           // number of coefficients (shown)
#define IDC_FS_PERIODE 59           // period length L
#define IDC_FS_F0 58                // f(0)
#define IDC_FS_KOEFFIZIENTEN 40     // c(n), one a line
#define IDC_FS_NUMMERN 505          // line numbers beside them
#define IDC_FS_VORZEICHEN 101       // " take signs from structure model" (disabled)
// ---- principal component analysis PCANALYSIS (app/xas/pca_dialog_win.cpp) ----
#define IDC_PCA_DATEIEN 37         // "&Files": full analysis again
#define IDC_PCA_REKON_ANSICHT 552  // view 0
#define IDC_PCA_RESIDUEN 651       // view 5
#define IDC_PCA_KOMPONENTEN 554    // view 1
#define IDC_PCA_KONZENTRATIONEN 150  // view 6
#define IDC_PCA_GRUPPE 555         // view 3 (hidden)
#define IDC_PCA_TARGET 553         // target transformation, view 2
#define IDC_PCA_REAL 300           // real concentrations, view 7
#define IDC_PCA_TESTNAME 210
#define IDC_PCA_TESTDATEI 220      // "F"
#define IDC_PCA_ANNEHMEN 650       // "-->"
#define IDC_PCA_NUMMER 200
#define IDC_PCA_SCROLL 301
#define IDC_PCA_REKONSTRUIEREN 201
#define IDC_PCA_EINGABEN 100
#define IDC_PCA_KOMPONENTENLISTE 110
#define IDC_PCA_GEWICHTE 120
#define IDC_PCA_RESIDUENLISTE 130
#define IDC_PCA_INDIKATOR 140
#define IDC_PCA_FAKTOREN 80
#define IDC_PCA_VORSCHAU 30
#define CM_PCA_ANSICHT 533         // internal: draw view lParam

// ---- peak search PEAKSEARCH (app/xrd/peak_search_dialog_win.cpp) ----
#define IDC_PS_GAUSS 150
#define IDC_PS_VOIGT 160
#define IDC_PS_PEARSON 170
#define IDC_PS_LAMBDA 533
#define IDC_PS_QUELLE 600
#define IDC_PS_GRENZE 476
#define IDC_PS_GRENZE_REGLER 110
#define IDC_PS_SUCHEN 37
#define IDC_PS_VORSCHAU 30
#define IDC_PS_ZOOM 120
#define IDC_PS_ABZIEHEN 200
#define IDC_PS_KNOTEN 210
#define IDC_PS_ZEIGEN 220
#define IDC_PS_PEAKS 58
#define IDC_PS_ERGEBNISSE 552
#define IDC_PS_LISTE 140
#define IDC_PS_FIT 475
#define IDC_PS_BREITE 201
#define IDC_PS_BREITE_REGLER 100

// ---- Run FEFF RUNFEFF (app/xas/feff_run_win.cpp); button 1 (IDOK) is
// "&Load FILES.DAT", 2 (IDCANCEL) "Exit" ----
#define IDC_RF_ORDNER 200
#define IDC_RF_RMAX 58
#define IDC_RF_SX 450
#define IDC_RF_SY 451
#define IDC_RF_SZ 561
#define IDC_RF_QUADRANT 558
#define IDC_RF_ATOMS_INP 110
#define IDC_RF_FEFF_INP 100
#define IDC_RF_ATOMS_RUN 120
#define IDC_RF_FEFF_RUN 130
#define IDC_RF_SCHIEBEN 578
#define IDC_RF_RASMOL 37

// ---- FEFF triangle angle CHANGEFEFFANGLE (app/xas/feff_angle_win.cpp);
// button 1 (IDOK) is "EXIT" ----
#define IDC_FA_LISTE 63
#define IDC_FA_WINKEL 100
#define IDC_FA_SCHRITT 110
#define IDC_FA_SCROLL 552
#define IDC_FA_ANWENDEN 55
#define IDC_FA_STATUS 80
#define IDC_FA_PFAD 30
// ---- AVERAGEXAS (623, 624; app/series/series_average_win.cpp) ----
#define IDC_AVX_ZWEISPALTEN 552
#define IDC_AVX_MEHRSPALTEN 553
#define IDC_AVX_KEINE 650
#define IDC_AVX_REFERENZ 554
#define IDC_AVX_WENDEPUNKT 652
#define IDC_AVX_WEISSLINIE 653
#define IDC_AVX_KANTE 201
#define IDC_AVX_GRAD 220
#define IDC_AVX_VON 59
#define IDC_AVX_BIS 58
#define IDC_AVX_KALIBRIERUNG 35
#define IDC_AVX_NAMETEXT 200
#define IDC_AVX_NAME 210

// ---- AUTODEX (824; app/series/series_auto_win.cpp) ----
#define IDC_AUTO_SCHRITT 552
#define IDC_AUTO_ERSTE 58
#define IDC_AUTO_LETZTE 59
#define IDC_AUTO_KURVEN 63
#define IDC_AUTO_DXAS 220
#define IDC_AUTO_PARAMETER 230
#define IDC_AUTO_INTERPOLATION 533
#define IDC_AUTO_MITTELN 555
#define IDC_AUTO_I01 475
#define IDC_AUTO_I02 476
#define IDC_AUTO_FALTUNG 567
#define IDC_AUTO_BREITE 566
#define IDC_AUTO_NAME 80
#define IDC_AUTO_SPALTEN 201
#define IDC_AUTO_S 30

// ---- SETCONVOLFWHM (the "&S" of AUTODEX; app/series/series_convolution_win.cpp) ----
#define IDC_SCF_VORSCHAU 30
#define IDC_SCF_ZEIGEN 37
#define IDC_SCF_BREITE 58
#define IDC_SCF_GAUSS 552
#define IDC_SCF_LORENTZ 553

// ---- MULTICOLPLOT (825; app/series/series_multiplot_win.cpp) ----
#define IDC_MCP_DATEI 80
#define IDC_MCP_ANZAHL 201
#define IDC_MCP_START 220
#define IDC_MCP_ENDE 230
#define IDC_MCP_SCHRITT 476
#define IDC_MCP_UNTEN 58
#define IDC_MCP_OBEN 59
#define IDC_MCP_MARKE 400
#define IDC_MCP_KEINE 100
#define IDC_MCP_INVERS 101
#define IDC_MCP_LISTE 63
#define IDC_MCP_LEICHT 552
#define IDC_MCP_MITTEL 553
#define IDC_MCP_STARK 554
#define IDC_MCP_WERTWAHL 555
#define IDC_MCP_PSEUDO3D 556
#define IDC_MCP_WERT 654
// Kinetic calculator KINETIC_CALC (app/xrd/kinetics_win.cpp); the model
// radio buttons are 200-214.
#define IDC_KIN_VORSCHAU 30
#define IDC_KIN_REGRESSION 55
#define IDC_KIN_STEIGUNG 58
#define IDC_KIN_ORDINATE 59
#define IDC_KIN_MODELL 200
#define IDC_KIN_ALLE 220
#define IDC_KIN_BALKEN 301
#define IDC_KIN_BALKEN2 302
#define IDC_KIN_INFO 475
#define IDC_KIN_INFO2 476

// Isoconversional kinetic analysis ISOCONV_KINETIC (app/xrd/kinetics_win.cpp).
#define IDC_ISO_DATEIEN 37
#define IDC_ISO_LISTE 100
#define IDC_ISO_TEMPERATUREN 130
#define IDC_ISO_SCHRITT_GEZEIGT 200
#define IDC_ISO_SCHRITT 210
#define IDC_ISO_RECHNEN 201
#define IDC_ISO_KURVEN 552
#define IDC_ISO_HALBWERT 651
#define IDC_ISO_NORMIERT 553
#define IDC_ISO_EA 554
#define IDC_ISO_LNK 555
#define IDC_ISO_BILD 30
#define IDC_ISO_BALKEN 301
#define IDC_ISO_HINWEIS1 558
#define IDC_ISO_HINWEIS2 654

// ---- the quick XAS reduction (app/xas/quick_xas_win.cpp): status-line
// texts of its menu items (command + 1000) ----
#define IDS_STATUS_QUICK_XAS 1835
#define IDS_STATUS_QUICK_KANTE 1838
#define IDS_STATUS_QUICK_MUE0 1839
#define IDS_STATUS_QUICK_FFT 1840
// ---- Difference spectrum DIFFSPECTRA (831) and ratio method RATIOMETHOD
// (829; app/xas/difference_ratio_win.cpp) ----
#define IDC_VGL_LADEN 80
#define IDC_VGL_NAME 210
#define IDC_DIFF_INTERPOLIEREN 578
#define IDC_RATIO_PHASE 552
#define IDC_RATIO_AMPLITUDE 553
#define IDC_RATIO_STRUKTUR 201
#define IDC_RATIO_R 58
#define IDC_RATIO_N 59
#define IDC_RATIO_R_PROBE 533

// ---- XAFS in one XAFSINONE (852; app/xas/xafs_in_one_win.cpp): step
// buttons, the edits of each step, the three preview panes ----
#define IDC_XIO_KALIBRIERUNG 100
#define IDC_XIO_UNTERGRUND 110
#define IDC_XIO_KRAUM 120
#define IDC_XIO_ATOMAR 130
#define IDC_XIO_FOURIER 140
#define IDC_XIO_PROFIL_SPEICHERN 150
#define IDC_XIO_PROFILE 160
#define IDC_XIO_KAL_EXP 476
#define IDC_XIO_KAL_TAB 475
#define IDC_XIO_KAL_VON 58
#define IDC_XIO_KAL_BIS 59
#define IDC_XIO_KAL_GLATT 543
#define IDC_XIO_KAL_ERSTE 552
#define IDC_XIO_KAL_ZWEITE 553
#define IDC_XIO_UG_VON1 300
#define IDC_XIO_UG_BIS1 310
#define IDC_XIO_UG_VON2 320
#define IDC_XIO_UG_BIS2 330
#define IDC_XIO_UG_POLY1 510
#define IDC_XIO_UG_POLY2 511
#define IDC_XIO_K_E0 558
#define IDC_XIO_K_VON 568
#define IDC_XIO_K_BIS 569
#define IDC_XIO_K_GLATT 544
#define IDC_XIO_K_ERSTE 530
#define IDC_XIO_K_ZWEITE 531
#define IDC_XIO_AA_VON 506
#define IDC_XIO_AA_BIS 507
#define IDC_XIO_AA_SPLINES 554
#define IDC_XIO_AA_KGEWICHT 555
#define IDC_XIO_FT_VON 400
#define IDC_XIO_FT_BIS 410
#define IDC_XIO_FT_KGEWICHT 546
#define IDC_XIO_FT_FENSTER 535
#define IDC_XIO_FT_BETA 536
#define IDC_XIO_PANE_UNTERGRUND 200
#define IDC_XIO_PANE_ATOMAR 210
#define IDC_XIO_PANE_FT 220

// ---- Confidence contour FITCONTOUR (520; app/fit/fit_contour_win.cpp);
// button 1 (IDOK) is "Save" ----
#define IDC_FK_PARAM1 657
#define IDC_FK_PARAM2 658
#define IDC_FK_BEREICH1 475
#define IDC_FK_BEREICH2 476
#define IDC_FK_TOLERANZ 220
#define IDC_FK_XGITTER 200
#define IDC_FK_YGITTER 210
#define IDC_FK_HINWEIS1 170
#define IDC_FK_HINWEIS2 180
#define IDC_FK_ZEIGEN 37
#define IDC_FK_GRENZE1 100
#define IDC_FK_GRENZE2 110
#define IDC_FK_BALKEN 472
#define IDC_FK_BILD 30
// Phases and amplitudes PHASENAMPLITUDEN (app/xas/phases_amplitudes_win.cpp).
#define IDC_PA_MODIFIZIERT 552     // " modified Phases and Amplitudes" / "  Amplitude"
#define IDC_PA_EINFACH 553         // " simple Phases and Amplitudes" / "  Phase"
#define IDC_PA_K_KANTE 220
#define IDC_PA_L_KANTE 230
#define IDC_PA_N 100               // coordination number
#define IDC_PA_R 110               // distance R
#define IDC_PA_SPEICHERN 63        // " Save Phase and Amplitude"
#define IDC_PA_NAME 50             // file name
#define IDC_PA_DATEI 210           // "&F"
// FEFF path choice FEFF_FIT, FEFF_MULTIPLE_DETAILS (app/xas/feff_fit_dialog_win.cpp)
// and the EXAFS set-up EXAFSFIT (app/xas/exafs_fit_dialog_win.cpp). The
// path-list controls 80, 37 and 102 are those ReadFilesDat fills.
#define IDC_FP_TITEL 80
#define IDC_FP_ZEILEN 37
#define IDC_FP_GEWAEHLT 102
#define IDC_FP_FILTER 566            // "Weight " amplitude filter, percent
#define IDC_FP_BEINE 59              // NLEG filter
#define IDC_FP_FILTER_SPIN 301
#define IDC_FP_BEINE_SPIN 302
#define IDC_FP_ANZAHL 573            // rows listed
#define IDC_FP_MARKIERT 582          // rows selected
#define IDC_FP_ALLE 110              // "&Select All"
#define IDC_FP_ALLE_SS 140           // "All SS"
#define IDC_FP_UEBERNEHMEN 511       // "&Transfer"
#define IDC_FP_FILES_DAT 546         // "&Files.Dat"
#define IDC_FP_LOESCHEN 558          // "&Delete" (EXAFSFIT)
#define CM_FP_NEU_LISTEN 100         // FEFF_FIT: list again with the filters
#define CM_EF_NEU_LISTEN 190         // EXAFSFIT: the same
#define IDC_FMD_FAKTOR 100           // 100-103: scaling factors #1-#4
#define IDC_FMD_FEST 110             // 110-113: "Fixed"
#define IDC_FMD_EINZELN 552
#define IDC_FMD_MEHRERE 553
#define IDC_EF_EXPERIMENTELL 230
#define IDC_EF_FEFF 234
#define IDC_EF_PHASE 120
#define IDC_EF_AMPLITUDE 130
#define IDC_EF_PHASEN 210
#define IDC_EF_AMPLITUDEN 220
#define IDC_EF_K_KANTE 552
#define IDC_EF_L_KANTE 553
#define IDC_EF_FLAGS 554
#define IDC_EF_BEHALTEN 555
#define IDC_EF_DRITTER 232
#define IDC_EF_VIERTER 233
#define IDC_EF_K_RAUM 602
#define IDC_EF_R_RAUM 603
#define IDC_EF_R_VON 101
#define IDC_EF_R_BIS 100
#define IDC_EF_GRAFISCH 63
#define IDC_EF_K_GEWICHT 58
#define IDC_EF_SCHALEN 201
#define IDC_EF_E0 601
#define IDC_EF_ADD_K 656
#define IDC_EF_ADD_ZEIGEN 657
#define IDC_EF_ADD_FIT 658
#define IDC_EF_ADD_WERT 400
#define IDC_EF_EIN_FEFF 544
#define IDC_EF_MEHRERE_FEFF 543
#define IDC_EF_DETAILS 236
#define IDC_EF_FEFF_TEXT 235
#define IDC_EF_DATEIEN 240
#define IDC_EF_RESET 38
#define IDC_EF_BILD 30
#define IDC_EF_ART 56
#define IDC_EF_ATOM 150              // 150, 160, 170, 180: one line per atom
// ---- WRITE_FILES (849; app/xas/feff_files_win.cpp) ----
#define IDC_WF_NAME 200
#define IDC_WF_ORIGINAL 58
#define IDC_WF_FILTER 201

// ---- MUE_XAFS (the section dialog's box 472; app/xas/mue_xafs_win.cpp) ----
#define IDC_MX_R_FREI 552
#define IDC_MX_R_XYZ 553
#define IDC_MX_S_FREI 554
#define IDC_MX_S_DEBYE 555

#endif
