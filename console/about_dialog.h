// The About box, with buttons that open the web site and the readme through the shell.
#pragma once

#include "host/window.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog() = default;

    // Shows the box modally, owned by owner, until "OK" or its close box ends it.
    void run(HWND owner);

protected:
    INT_PTR onCommand(int code, int id, HWND control) override;
    INT_PTR onClose() override;
    void onError(const VKF::CException&) override {}

    void openReadme();
    // Hands file (a path or an address) to the shell's "open"; the result is not checked.
    virtual void openWithShell(const wchar_t* file);
};

// What the Help menu's "About..." does.
void showAboutBox(HWND owner);
