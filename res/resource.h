// Resource and control ids.
#pragma once

inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDS_ABOUTBOX = 101;
inline constexpr unsigned IDD_MAIN = 102;
inline constexpr unsigned IDI_MAIN = 130;

inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

inline constexpr int IDC_FILE_LIST = 1001;
inline constexpr int IDC_EXT_LIST = 1002;
inline constexpr int IDC_SELECT_FILE = 1003;
inline constexpr int IDC_CONVERT = 1004;
inline constexpr int IDC_REMOVE = 1005;
inline constexpr int IDC_EXIT = 1006;
inline constexpr int IDC_REMOVE_ALL = 1007;
inline constexpr int IDC_EXT_EDIT = 1008;
