// Ids of the compiled sample, shared with the test.
#define IDD_SAMPLE 200
#define IDC_VALUE 1001
#define IDR_SAMPLE 300
#define ID_SAMPLE_SAVE 32800
#define ID_SAMPLE_QUIT 32801
#define IDB_SAMPLE 400
