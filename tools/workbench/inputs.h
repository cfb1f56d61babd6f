// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// A tool's inputs as entries "control=text", in the order they were set: its worked example and
// what the workbench remembers of it. Replayed in that order, fields that compute one another
// (Ohm's law) and tools that follow the side edited last (Markings) come back as they were.
namespace tools {

// "txtVin=5;txtVout=3.3" as entries.
QStringList exampleEntries(const char* example);

// Sets each entry on the panel's control of that name: a field gets the text, a list the item, a
// tab page the title, a check box or option button its state ("1" or "0"), a plain button a
// click. An entry that names no control, or a choice the control no longer offers, is passed
// over: a stored value that no longer reads is dropped quietly.
void enter(QWidget& panel, const QStringList& entries);

// Watches what a person sets in a panel (typing, choosing, ticking, turning a page; not what the
// tool writes into its own fields) and tells when it changes.
class InputRecorder : public QObject {
    Q_OBJECT
public:
    explicit InputRecorder(QWidget& panel);

    // The inputs as they are now, the one set last at the end.
    QStringList entries() const;
    // Takes the order of inputs already entered, so that what is set later goes after them.
    void follow(const QStringList& entries);

Q_SIGNALS:
    void changed();

private:
    void touched(const QString& name);

    QWidget& panel_;
    QStringList order_;
};

} // namespace tools
