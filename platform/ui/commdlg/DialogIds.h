// Control ids of the common dialogs, with the values of the system's dialog id list, so that a
// program (or a test) can reach a dialog's controls with GetDlgItem.
#pragma once

constexpr int chx1 = 0x0410;
constexpr int chx2 = 0x0411;
constexpr int psh1 = 0x0400;
constexpr int psh2 = 0x0401;
constexpr int psh3 = 0x0402;
constexpr int psh4 = 0x0403;
constexpr int rad1 = 0x0420;
constexpr int rad2 = 0x0421;
constexpr int rad3 = 0x0422;
constexpr int rad4 = 0x0423;
constexpr int stc1 = 0x0440;
constexpr int stc2 = 0x0441;
constexpr int stc3 = 0x0442;
constexpr int stc4 = 0x0443;
constexpr int stc5 = 0x0444;
constexpr int stc6 = 0x0445;
constexpr int lst1 = 0x0460;
constexpr int lst2 = 0x0461;
constexpr int lst3 = 0x0462;
constexpr int cmb1 = 0x0470;
constexpr int cmb2 = 0x0471;
constexpr int cmb3 = 0x0472;
constexpr int cmb4 = 0x0473;
constexpr int edt1 = 0x0480;
constexpr int edt2 = 0x0481;
constexpr int edt3 = 0x0482;
constexpr int edt4 = 0x0483;
constexpr int edt5 = 0x0484;
constexpr int edt6 = 0x0485;
constexpr int edt7 = 0x0486;
