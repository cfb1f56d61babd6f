// SPDX-License-Identifier: MIT
#include "shell/form.h"

#include "runtime/error.h"
#include "shell/builder.h"
#include "shell/messagebox.h"
#include "shell/project.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace shell {

namespace {

// The title-bar close box unloads the screen exactly as its close control does.
class FormWindow : public QMainWindow {
public:
    explicit FormWindow(Form& form)
        : form_(form)
    {
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        if (form_.window() == this)
            form_.unload();
    }

private:
    Form& form_;
};

// Gives a window the program's icon once it has drawn itself. On X11 the window system takes
// every size of the icon at once, and decoding them before the first paint was the largest
// cost start-up had beyond a bare Qt window.
class IconAfterFirstPaint : public QObject {
public:
    explicit IconAfterFirstPaint(QWidget& window)
        : QObject(&window)
        , window_(window)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window paints while this expose is handled; the timer runs after that.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, &window_, [window = &window_] { window->setWindowIcon(Project::icon()); });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

Form::Form(Project& project, const ScreenDecl& decl)
    : project_(project)
    , decl_(&decl)
    , name_(decl.name)
{
}

Form::Form(Project& project, std::string name)
    : project_(project)
    , name_(std::move(name))
{
}

Form::~Form()
{
    delete window_.data();
}

QWidget* Form::build(QMainWindow& window)
{
    return buildScreen(*decl_, window);
}

void Form::show()
{
    if (!window_) {
        auto* window = new FormWindow(*this);
        window_ = window;
        QWidget* first = nullptr;
        try {
            first = build(*window);
            wire();
        } catch (...) {
            window_ = nullptr;
            delete window;
            throw;
        }
        project_.formLoaded();
        window->winId(); // the window system's window, watched before it is shown
        new IconAfterFirstPaint(*window);
        window->show();
        if (first)
            first->setFocus(Qt::OtherFocusReason);
    } else if (window_->isMinimized()) {
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    }
    window_->raise();
    window_->activateWindow();
}

void Form::showPart(std::string_view)
{
    show();
}

void Form::unload()
{
    if (!window_)
        return;
    QMainWindow* window = window_;
    window_ = nullptr;
    window->hide();
    // The handler that asked may still be running on one of the window's controls.
    window->deleteLater();
    project_.formUnloaded();
}

void Form::dispatch(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const runtime::Error& error) {
        reportError(window_, error);
        recover(error);
    }
}

void Form::recover(const runtime::Error&)
{
    if (decl_ && decl_->resultLabel)
        setCaption(decl_->resultLabel, QString());
}

void Form::setCaption(std::string_view controlName, const QString& text) const
{
    require<QLabel>(controlName)->setText(text);
}

void Form::connectClick(std::string_view controlName, std::function<void()> handler)
{
    QObject* target = require(controlName);
    auto run = [this, handler = std::move(handler)] { dispatch(handler); };
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        QObject::connect(button, &QAbstractButton::clicked, button, run);
    else if (auto* action = qobject_cast<QAction*>(target))
        QObject::connect(action, &QAction::triggered, action, run);
    else
        throw NameError(name_ + "." + std::string(controlName) + " is neither a button nor a menu item");
}

void Form::missingControl(std::string_view controlName) const
{
    throw NameError(name_ + " has no control " + std::string(controlName) + " of the kind asked for");
}

} // namespace shell
