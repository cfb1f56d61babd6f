// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace runtime {
class Error;
}

namespace shell {

// Captions every message box and the error report.
inline constexpr const char* applicationTitle = "Voltiva";

// A modal box with the prompt, one OK button and no icon; returns when it is closed.
void MsgBox(QWidget* parent, const QString& prompt);

// "Run-time error '13':", a blank line, then the error's description.
QString errorReportText(const runtime::Error& error);
void reportError(QWidget* parent, const runtime::Error& error);

// Where boxes go instead of the screen; tests install one to read them without a modal
// loop. Returns the previous one (empty: the real box).
using MessageSink = std::function<void(QWidget* parent, const QString& prompt)>;
MessageSink setMessageSink(MessageSink next);

} // namespace shell
