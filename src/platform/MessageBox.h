#pragma once
// Modal message boxes. Every message the program shows goes through
// AfxMessageBox, whose actual presentation is a replaceable handler: a real
// dialog in the GUI, standard error in batch mode, a recorder in tests.

#include <functional>
#include <string>

// Button sets (low nibble) and icons (second nibble), as the classic desktop API numbers them.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TYPEMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

namespace platform {

// Caption of every message box and the application title.
inline constexpr const char* kAppTitle = "TESKA/PORLIN data viewer";
// The version named by the about box, the start-up notice and --version.
inline constexpr const char* kAppVersion = "20080808";

// Shows `text` with the buttons and icon of `style`; returns the button pressed (IDOK, ...).
using MessageHandler = std::function<int(const std::string& text, unsigned style)>;

// Installs a handler and returns the previous one. An empty handler restores
// the default, which writes the text and a line feed to standard error.
MessageHandler setMessageHandler(MessageHandler handler);

// What a message box answers when nobody can be asked: OK, or the choice that
// changes nothing (No for Yes/No, Cancel for Yes/No/Cancel and OK/Cancel).
int unattendedAnswer(unsigned style);

// Shows one message through the current handler.
int showMessage(const std::string& text, unsigned style);

} // namespace platform

int AfxMessageBox(const std::string& text, unsigned style = MB_OK);
