// SPDX-License-Identifier: MIT
#pragma once

#include "shell/layout.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

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
    Form(Project& project, const ScreenDecl& decl);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    Form(Form&&) = delete;
    Form& operator=(Form&&) = delete;

    const ScreenDecl& declaration() const { return decl_; }
    const char* name() const { return decl_.name; }

    // Loads the screen if needed, shows it modeless and ownerless and brings it to the front.
    void show();
    // Discards the window and its controls; the program ends with the last loaded screen.
    void unload();
    bool isLoaded() const { return window_ != nullptr; }
    QMainWindow* window() const { return window_; }

    template <class W = QObject>
    W* control(const char* controlName) const
    {
        return window_ ? window_->findChild<W*>(QString::fromLatin1(controlName)) : nullptr;
    }

protected:
    Project& project() const { return project_; }

    // Connects the handlers of a freshly loaded window.
    virtual void wire() {}
    // Called after a run-time error has been reported; the default clears the result label.
    virtual void recover(const runtime::Error& error);

    // Binds a button's or menu item's Click.
    template <class F>
    void onClick(const char* controlName, void (F::*handler)())
    {
        connectClick(controlName, [this, handler] { (static_cast<F*>(this)->*handler)(); });
    }
    // Binds any other event of a control, such as a list's edit or choice.
    template <class W, class Signal, class F>
    void onEvent(const char* controlName, Signal signal, void (F::*handler)())
    {
        W* w = control<W>(controlName);
        QObject::connect(w, signal, w,
                         [this, handler] { dispatch([this, handler] { (static_cast<F*>(this)->*handler)(); }); });
    }
    // Runs a handler as every event does: a run-time error is reported, the screen recovers,
    // and the program carries on.
    void dispatch(const std::function<void()>& handler);

    void setCaption(const char* controlName, const QString& text) const;

private:
    void connectClick(const char* controlName, std::function<void()> handler);

    Project& project_;
    const ScreenDecl& decl_;
    QPointer<QMainWindow> window_;
};

} // namespace shell
