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

} // namespace

Form::Form(Project& project, const ScreenDecl& decl)
    : project_(project)
    , decl_(decl)
{
}

Form::~Form()
{
    delete window_.data();
}

void Form::show()
{
    if (!window_) {
        auto* window = new FormWindow(*this);
        QWidget* first = buildScreen(decl_, *window);
        window->setWindowIcon(Project::icon());
        window_ = window;
        project_.formLoaded();
        wire();
        window->show();
        if (first)
            first->setFocus(Qt::OtherFocusReason);
    } else if (window_->isMinimized()) {
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    }
    window_->raise();
    window_->activateWindow();
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
    if (decl_.resultLabel)
        setCaption(decl_.resultLabel, QString());
}

void Form::setCaption(const char* controlName, const QString& text) const
{
    if (auto* label = control<QLabel>(controlName))
        label->setText(text);
}

void Form::connectClick(const char* controlName, std::function<void()> handler)
{
    QObject* target = control(controlName);
    auto run = [this, handler = std::move(handler)] { dispatch(handler); };
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        QObject::connect(button, &QAbstractButton::clicked, button, run);
    else if (auto* action = qobject_cast<QAction*>(target))
        QObject::connect(action, &QAction::triggered, action, run);
    else
        qFatal("No clickable control %s on %s", controlName, decl_.name);
}

} // namespace shell
