// Resource numbers of vorikaui.dll: dialog templates, bitmap, icons and the control IDs of every
// template. Plain #defines, so that both the resource compiler and C++ read this one header.
#pragma once

// Dialog templates. 1 to 4 are property-sheet pages, 5 to 7 modal dialogs.
#define IDD_MATERIAL_PAGE 1
#define IDD_CORRECTION_PAGE 2
#define IDD_SLOPE_PAGE 3
#define IDD_INFO_PAGE 4
#define IDD_ABOUT 5
#define IDD_DETAILS 6
#define IDD_WARNING 7
#define IDD_HELP_TOPICS 8 // the module's own help window

// Bitmap and icons.
#define IDB_LOGO 100          // product logo, 128 x 43 pixels, 16 colours
#define IDI_DOCUMENT_PAGE 502 // tab icon of the three document pages
#define IDI_INFO_PAGE 503     // tab icon of the printer's information page

// The ID of every control that the code never addresses (frames and texts of the small dialogs).
#define IDC_STATIC_ITEM 65535

// Material page (template 1).
#define IDC_WORK_SIZE_GROUP 199
#define IDC_WIDTH_LABEL 200
#define IDC_LENGTH_LABEL 201
#define IDC_WIDTH_EDIT 202
#define IDC_LENGTH_EDIT 203
#define IDC_WIDTH_SPIN 204
#define IDC_LENGTH_SPIN 205
#define IDC_OFFSET_LABEL 206
#define IDC_OFFSET_X_EDIT 207
#define IDC_OFFSET_Y_EDIT 208
#define IDC_OFFSET_X_SPIN 209
#define IDC_OFFSET_Y_SPIN 210
#define IDC_UNIT_LABEL 211
#define IDC_UNIT_MM 212
#define IDC_UNIT_INCH 213
#define IDC_RESOLUTION_LABEL 214
#define IDC_RESOLUTION_LIST 215
#define IDC_EXTENDED_SIZE 216
#define IDC_WORK_VIEW 217
#define IDC_PRINT_FROM_BOTTOM 300
#define IDC_BIDIRECTION 301
#define IDC_PREVIEW 302
#define IDC_UPPER_LEFT_ORIGIN 303
#define IDC_COMPRESSION_GROUP 304
#define IDC_COMPRESSION_NONE 305
#define IDC_COMPRESSION_RUNLENGTH 306
#define IDC_COMPRESSION_TIFF 307
#define IDC_ABOUT 400
#define IDC_HELP_CONTENTS 401
#define IDC_LOAD_SETTINGS 402
#define IDC_SAVE_SETTINGS 403
#define IDC_MATERIAL_LOGO_AREA 101

// Image correction page (template 2).
#define IDC_CORRECTION_GROUP 606
#define IDC_BRIGHTNESS_LABEL 500
#define IDC_BRIGHTNESS_BAR 501
#define IDC_BRIGHTNESS_DARK 502
#define IDC_BRIGHTNESS_BRIGHT 503
#define IDC_BRIGHTNESS_EDIT 504
#define IDC_CONTRAST_LABEL 510
#define IDC_CONTRAST_EDIT 511
#define IDC_CONTRAST_BAR 512
#define IDC_CONTRAST_LOW 513
#define IDC_CONTRAST_HIGH 514
#define IDC_GAMMA_LABEL 520
#define IDC_GAMMA_BAR 521
#define IDC_GAMMA_EDIT 522
#define IDC_GAMMA_DARK 523
#define IDC_GAMMA_BRIGHT 524
#define IDC_SET_STANDARD 531
#define IDC_TONE_CURVE 532
#define IDC_MATERIAL_LIST 600
#define IDC_MATERIAL_GROUP 601
#define IDC_DETAILS 603
#define IDC_TYPE_TEXT 620
#define IDC_TYPE_PHOTO 621
#define IDC_COLORS_LIST 700
#define IDC_COLORS_LABEL 701
#define IDC_DITHER_LIST 702
#define IDC_DITHER_LABEL 703
#define IDC_DRAFTING_LIST 704
#define IDC_DRAFTING_LABEL 705
#define IDC_MIRROR 706
#define IDC_NEGATIVE 707
#define IDC_LOWCUT 708
#define IDC_LOWCUT_PRE_EDIT 709
#define IDC_LOWCUT_POST_EDIT 710
#define IDC_LOWCUT_PRE_SPIN 711
#define IDC_LOWCUT_POST_SPIN 712
#define IDC_CORRECTION_LOGO_AREA 102

// Slope correction page (template 3).
#define IDC_SLOPE_GROUP 800
#define IDC_CORRECT_SLOPE 801
#define IDC_BACK_LABEL 802
#define IDC_FRONT_LABEL 803
#define IDC_LEFT_LABEL 804
#define IDC_RIGHT_LABEL 805
#define IDC_BACK_EDIT 806
#define IDC_FRONT_EDIT 807
#define IDC_LEFT_EDIT 808
#define IDC_RIGHT_EDIT 809
#define IDC_BACK_SPIN 810
#define IDC_FRONT_SPIN 811
#define IDC_RIGHT_SPIN 812
#define IDC_LEFT_SPIN 813
#define IDC_LEFT_RIGHT_RATIO 814
#define IDC_FRONT_BACK_RATIO 815
#define IDC_TEST_PRINT 816
#define IDC_TEST_PRINT_1 817
#define IDC_TEST_PRINT_0 818
#define IDC_SLOPE_LOGO_AREA 103

// Information page (template 4).
#define IDC_INFO_TEXT 850

// Help window (template 8).
#define IDC_HELP_TOPICS_TEXT 860

// Material details dialog (template 6).
#define IDC_SPEED_IMPACT_GROUP 602
#define IDC_NAME_EDIT 604
#define IDC_PRESET_SCROLL 605
#define IDC_NAME_LABEL 607
#define IDC_IMPACT_MIN_LABEL 608
#define IDC_IMPACT_MIN_EDIT 609
#define IDC_IMPACT_MAX_LABEL 610
#define IDC_IMPACT_MAX_EDIT 611
#define IDC_SPEED_LABEL 612
#define IDC_SPEED_EDIT 613
#define IDC_DETAILS_OK 630
#define IDC_DETAILS_CANCEL 631

// Help texts of the Japanese string table: string 901 + n is the popup text of the n-th help
// context (1100 to 1115, 1200 to 1209, 1300 to 1305, 1400 and 1401, in that order).
#define IDS_FIRST_HELP_TEXT 901
#define IDS_LAST_HELP_TEXT 934

// The module's own help strings, base + topic: topic 0 is the driver's general topic (its text, and
// as its caption the help window's title), topics 1 to 34 the help contexts in the order above.
// The Japanese texts of topics 1 to 34 are the popup texts 901 to 934.
#define IDS_HELP_TEXT_JAPANESE 900
#define IDS_HELP_TEXT_ENGLISH 1900
#define IDS_HELP_CAPTION_JAPANESE 1000
#define IDS_HELP_CAPTION_ENGLISH 2000
