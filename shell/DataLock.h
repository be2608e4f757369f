// The data lock of the eight outputs: setting and opening it with a 6-byte password, clearing the
// locked data back to the factory outputs, the lock state after a device read or a preset file,
// the reset after a file-data error and the access code of the hidden settings popup. Each
// sequence that rewrites the live image, reloads the model and sends the preset holds g_linkLock
// throughout, so the link worker never packs a half-reset image.
#pragma once

#include "model/Globals.h"
#include "pages/output/OutputPageHost.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <atomic>

class CDataLockHost;

// Posted by the view after a single-preset file was read.
constexpr UINT WM_PRESET_FILE_LOADED = 0x5F5;
// Sent by the output page when a numeric field had to clamp a value read from a file.
// The view's lock button and the button of the hidden settings popup.
constexpr int ID_LOCK_BUTTON = 2829;
constexpr int ID_SETTINGS_POPUP_BUTTON = 2854;
// The hidden settings popup.
constexpr UINT IDR_SETTINGS_POPUP_MENU = 875;

// The password prompt was opened by the lock button.
inline std::atomic<int>& g_bLockPromptFromButton = g_nStateFlags[32];
// The hidden settings popup was opened with the access code (until the program ends).
inline std::atomic<int>& g_bSettingsPopupUnlocked = g_nStateFlags[36];

// The messages of the lock, English and Chinese.
inline constexpr const char g_strLockLengthError[] =
    "the password length is incorrect! Please enter a 6-digit password!";
inline constexpr const char g_strPasswordLengthError[] =
    "The password length is incorrect! Please enter a 6-digit password!";
inline constexpr const char g_strLockLengthErrorCn[] = "输入密码格式不正确!请输入6位数密码!";
inline constexpr const char g_strUnlockMismatch[] =
    "Password and enter the password to encrypt the file does not match!";
inline constexpr const char g_strUnlockMismatchCn[] = "输入密码与加密文件密码不匹配!";
inline constexpr const char g_strAccessCodeError[] = "Password error!";
inline constexpr const char g_strAccessCodeErrorCn[] = "密码错误！";
inline constexpr const char g_strDataRangeError[] =
    "File Data Error!\n Click 'Yes', clear the current data. Click on 'No' to exit the program!";
inline constexpr const char g_strDataRangeErrorCn[] =
    "文件数据错误!\n点击 '是' ,清空当前数据。点击 '否' ,退出程序!";

// Length of every lock password and access code, in GBK bytes (the device field's unit).
constexpr int LOCK_PASSWORD_BYTES = 6;

class CDataLock {
public:
    explicit CDataLock(CDataLockHost& host) : m_host(host) {}

    // TRUE for exactly six GBK bytes, whatever the characters.
    static BOOL IsPasswordLength(const CString& text);
    // The unlock rule: the entry, or the entry without blanks at its ends, equals the password.
    static BOOL MatchesPassword(const CString& entry, const CString& password);

    // Button 2829: the lock prompt while the button is up, else the unlock prompt.
    void OnLockButton();
    void LockOrUnlock(BOOL bLock);
    // The "reset" of the unlock prompt: default outputs, default map, default crossovers and
    // mixes, unlocked. Needs no password.
    void ResetLockedData();

    // After the last output record of a device read, before the image is loaded into the model.
    void LoadLockState(int preset);
    // WM_PRESET_FILE_LOADED.
    void OnPresetFileLoaded();
    // WM_DATA_RANGE_ERROR: Yes resets the outputs, No closes the program.
    void OnDataRangeError();
    // The "File Data Error!" question: TRUE for Yes; any other answer closes the program.
    BOOL AskDataRangeError();
    // The first eight default output records; the speaker map is kept.
    void ResetOutputsToDefault();
    // Button 2854: the settings popup, behind the access code until it was given once.
    void OnSettingsPopupButton();

private:
    // Default crossover of a speaker code on output `output` (0..7), set on its filters.
    static void ApplyResetXover(int output, int code);

    CDataLockHost& m_host;
};
