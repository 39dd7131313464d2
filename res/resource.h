// Ids of the application's resources, shared by the resource scripts and the C++ code. Only
// #define lines: the resource compiler reads nothing else from a header. The texts' ids are in
// TextIds.h.
#pragma once

#include "TextIds.h"

// Each language's texts are the German text's id plus the language's offset.
#define LANGUAGE_OFFSET_GERMAN 0
#define LANGUAGE_OFFSET_ENGLISH 1000
#define LANGUAGE_OFFSET_FRENCH 2000
// French texts are shipped in the revised block, which the program uses for French.
#define LANGUAGE_OFFSET_FRENCH_REVISED 4000

// Ethernet interface set-up dialog and its controls.
#define IDD_CONFIG_ETHERNET_INTERFACE 243
#define IDC_ETH_PORT_LABEL 1700
#define IDC_ETH_PORT 1701
#define IDC_ETH_SERVER_LABEL 1702
#define IDC_ETH_SERVER 1703
#define IDC_ETH_FIRMWARE_LABEL 1704
#define IDC_ETH_FIRMWARE 1705
#define IDC_ETH_SETTINGS_LABEL 1706
#define IDC_ETH_SETTINGS 1707
#define IDC_ETH_STATE_LABEL 1708
#define IDC_ETH_STATE 1709
#define IDC_ETH_BAUDRATE_LABEL 1710
#define IDC_ETH_BAUDRATE 1711
#define IDC_ETH_DEFAULTS 1712

// Documentation page (template 136): browse controls, prefixes, storage modes and layout.
#define IDC_DOC_MW_DIR 180
#define IDC_DOC_DM_DIR 181
#define IDC_DOC_IONIO_DIR 220
#define IDC_DOC_MW_LABEL 1600
#define IDC_DOC_IONIO_LABEL 1601
#define IDC_DOC_DM_LABEL 1602
#define IDC_DOC_MW_PREFIX 1603
#define IDC_DOC_IONIO_PREFIX 1604
#define IDC_DOC_DM_PREFIX 1605
#define IDC_DOC_PREFIX_LABEL 1606
#define IDC_DOC_MW_MODE0 1607
#define IDC_DOC_MW_MODE1 1608
#define IDC_DOC_MW_MODE2 1609
#define IDC_DOC_IONIO_MODE0 1610
#define IDC_DOC_IONIO_MODE1 1611
#define IDC_DOC_IONIO_MODE2 1612
#define IDC_DOC_DM_MODE0 1613
#define IDC_DOC_DM_MODE1 1614
#define IDC_DOC_DM_MODE2 1615
#define IDC_DOC_SHOW_UNITS 1616
#define IDC_DOC_SEPARATOR 1617
#define IDC_DOC_LINE_END 1618
#define IDC_DOC_DECIMAL 1619
#define IDC_DOC_EXPORT_SIZE 1620
#define IDC_DOC_SEPARATOR_LABEL 1621
#define IDC_DOC_LINE_END_LABEL 1622
#define IDC_DOC_DECIMAL_LABEL 1623
#define IDC_DOC_EXPORT_SIZE_LABEL 1624
#define IDC_DOC_HEADLINE 1625
#define IDC_DOC_ADDRESS 1626
#define IDC_DOC_COMMENT 1627
#define IDC_DOC_HEADLINE_LABEL 1628
#define IDC_DOC_ADDRESS_LABEL 1629
#define IDC_DOC_COMMENT_LABEL 1630
#define IDC_DOC_DIRECTORY_LABEL 1631

// Measure configuration page (template 135): the evaluation group and the notice.
#define IDC_ADJ_UNIT_LABEL_1 1510
#define IDC_ADJ_UNIT_LABEL_2 1511
#define IDC_ADJ_EVAL_GROUP 1640
#define IDC_ADJ_EVAL_MODE0 1641
#define IDC_ADJ_EVAL_MODE1 1642
#define IDC_ADJ_EVAL_MODE2 1643
#define IDC_ADJ_MEASURAND_1 1644
#define IDC_ADJ_MEASURAND_2 1645
#define IDC_ADJ_LOWER_1 1646
#define IDC_ADJ_UPPER_1 1647
#define IDC_ADJ_LOWER_2 1648
#define IDC_ADJ_UPPER_2 1649
#define IDC_ADJ_MEASURAND_LABEL 1650
#define IDC_ADJ_LOWER_LABEL 1651
#define IDC_ADJ_UPPER_LABEL 1652
#define IDC_ADJ_NOTICE 1653

// Measure-and-diagram page (template 138).
#define IDC_MD_STOP 1151
#define IDC_MD_REPEAT 1341
#define IDC_MD_START 1660
#define IDC_MD_TRIGGER 1661
#define IDC_MD_SINGLE_SHOT 1662
#define IDC_MD_P1 1663
#define IDC_MD_P2 1664
#define IDC_MD_ELAPSED 1665
#define IDC_MD_MONITOR 1666

#define IDC_MD_LED 1667
#define IDC_MD_PICTURE 1668
#define IDC_MD_COUNT 1669
#define IDB_MD_SENSOR_PICTURE 319
#define IDI_MD_LAMP_IDLE 320
#define IDI_MD_LAMP_WAITING 321
#define IDI_MD_LAMP_MEASURING 322

// About box (template 240) and note dialog (template 241).
#define IDD_INFO 240
#define IDD_ADVICE 241
#define IDC_INFO_PRODUCT 1670
#define IDC_INFO_VERSION 1671
#define IDC_INFO_MAKER 1672
#define IDC_INFO_RIGHTS 1673
#define IDC_ADVICE_TEXT 1674
#define IDC_INFO_LOGO 1675

// Logo page (template 131) and its bitmap.
#define IDB_LOGO 140
#define IDC_LOGO_PICTURE 1690

// Diagnostic page (template 139).
#define IDC_DIAG_GROUPS_LABEL 1680
#define IDC_DIAG_GROUPS 1681

#define IDC_DIAG_STATUS_LONG 1682
#define IDC_DIAG_LINK_TEST 1683
#define IDC_DIAG_REPEAT 1684
#define IDC_DIAG_RESTART 1685
#define IDC_DIAG_BYTES 1686
#define IDC_DIAG_LIST 1687
