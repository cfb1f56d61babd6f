// SPDX-License-Identifier: MIT
#pragma once

#include "shell/layout.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <string>
#include <string_view>

namespace runtime {
class Error;
}

namespace shell {

class Project;

// The default instance of one screen. It lives as long as the program; its window and
// controls exist only while it is loaded. Handlers are member functions named after their
// control and event, bound in wire().
class Form {
public:
    // A screen built from its declaration.
    Form(Project& project, const ScreenDecl& decl);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    Form(Form&&) = delete;
    Form& operator=(Form&&) = delete;

    // nullptr for a screen that is not built from a declaration (a panel).
    const ScreenDecl* declaration() const { return decl_; }
    const char* name() const { return name_.c_str(); }

    // Loads the screen if needed, shows it modeless and ownerless and brings it to the front.
    // A name wire() cannot resolve throws NameError and leaves the screen unloaded.
    void show();
    // Shows the screen at one of its parts, such as one tool of a workbench; a screen without
    // parts just shows.
    virtual void showPart(std::string_view part);
    // Discards the window and its controls; the program ends with the last loaded screen.
    void unload();
    bool isLoaded() const { return window_ != nullptr; }
    QMainWindow* window() const { return window_; }

    // The control of that name and kind, or nullptr (also while the screen is not loaded).
    template <class W = QObject>
    W* control(std::string_view controlName) const
    {
        return window_ ? window_->findChild<W*>(QString::fromLatin1(controlName.data(), qsizetype(controlName.size())))
                       : nullptr;
    }
    // The same, for a control that must be there: never nullptr, NameError naming it instead.
    template <class W = QObject>
    W* require(std::string_view controlName) const
    {
        if (W* w = control<W>(controlName))
            return w;
        missingControl(controlName);
    }

protected:
    // A screen that builds its own window.
    Form(Project& project, std::string name);

    Project& project() const { return project_; }

    // Makes the window's contents; returns the control that takes the focus on show, or nullptr.
    virtual QWidget* build(QMainWindow& window);
    // Connects the handlers of a freshly loaded window; every name is resolved here.
    virtual void wire() {}
    // Called after a run-time error has been reported; the default clears the result label.
    virtual void recover(const runtime::Error& error);

    // Binds a button's or menu item's Click.
    template <class F>
    void onClick(std::string_view controlName, void (F::*handler)())
    {
        connectClick(controlName, [this, handler] { (static_cast<F*>(this)->*handler)(); });
    }
    void onClick(std::string_view controlName, std::function<void()> handler)
    {
        connectClick(controlName, std::move(handler));
    }
    // Binds any other event of a control, such as a list's edit or choice.
    template <class W, class Signal, class F>
    void onEvent(std::string_view controlName, Signal signal, void (F::*handler)())
    {
        W* w = require<W>(controlName);
        QObject::connect(w, signal, w,
                         [this, handler] { dispatch([this, handler] { (static_cast<F*>(this)->*handler)(); }); });
    }
    // Runs a handler as every event does: a run-time error is reported, the screen recovers,
    // and the program carries on.
    void dispatch(const std::function<void()>& handler);

    void setCaption(std::string_view controlName, const QString& text) const;

private:
    void connectClick(std::string_view controlName, std::function<void()> handler);
    [[noreturn]] void missingControl(std::string_view controlName) const;

    Project& project_;
    const ScreenDecl* decl_ = nullptr;
    std::string name_;
    QPointer<QMainWindow> window_;
};

} // namespace shell
