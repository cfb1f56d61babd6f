// SPDX-License-Identifier: MIT
#include "shell/builder.h"

#include "shell/fonts.h"
#include "shell/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace shell {

namespace {

QRect pixelRect(const ControlDecl& c)
{
    return {toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height)};
}

QWidget* makeControl(const ControlDecl& c, QWidget* client)
{
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case Kind::Button: {
        auto* b = new CommandButton(caption, client);
        b->setAutoDefault(false);
        return b;
    }
    case Kind::Label: {
        auto* l = new QLabel(caption, client);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    }
    case Kind::TextBox:
        return new QLineEdit(client);
    case Kind::ComboBox: {
        auto* box = new QComboBox(client);
        box->setStyle(dropDownStyle());
        box->setEditable(true);
        // Band texts are compared exactly: typing must never add items or be auto-completed
        // into another letter case.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        for (const char* item : c.items)
            box->addItem(QString::fromUtf8(item));
        box->setMaxVisibleItems(static_cast<int>(c.items.size()));
        box->setCurrentIndex(-1);
        box->setEditText(QString());
        return box;
    }
    case Kind::PictureBox: {
        auto* p = new PictureBox(client);
        if (c.picture)
            p->setPicture(QString::fromLatin1(c.picture));
        p->setAccessibleName(QString::fromUtf8(c.description));
        return p;
    }
    case Kind::OptionButton:
        return new QRadioButton(caption, client);
    case Kind::Line:
        return new LineControl(client);
    }
    return nullptr;
}

QRect lineRect(const ControlDecl& c)
{
    const QPoint a(toPixels(c.left), toPixels(c.top));
    const QPoint b(toPixels(c.width), toPixels(c.height));
    return QRect(a, b).normalized();
}

} // namespace

QWidget* buildScreen(const ScreenDecl& decl, QMainWindow& window)
{
    window.setObjectName(QString::fromLatin1(decl.name));
    window.setWindowTitle(QString::fromUtf8(decl.caption));
    WindowFonts& fonts = WindowFonts::of(window);
    fonts.use(window, decl.font);

    for (const MenuDecl& m : decl.menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        fonts.use(*menu, decl.font); // a popup is a window of its own and inherits no font
        menu->menuAction()->setObjectName(QString::fromLatin1(m.name));
        for (const MenuItemDecl& item : m.items) {
            if (*item.name == '\0') {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
        }
    }

    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("client"));
    window.setCentralWidget(client);

    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlDecl& c : decl.controls) {
        QWidget* w = makeControl(c, client);
        w->setObjectName(QString::fromLatin1(c.name));
        w->setGeometry(c.kind == Kind::Line ? lineRect(c) : pixelRect(c));
        if (c.font)
            fonts.use(*w, *c.font);
        if (w->focusPolicy() & Qt::TabFocus)
            focusable.emplace_back(c.tabIndex, w);
    }
    // Buddies name controls made later in creation order, so they are joined afterwards.
    for (const ControlDecl& c : decl.controls) {
        if (c.kind == Kind::Label && c.buddy) {
            auto* l = client->findChild<QLabel*>(QString::fromLatin1(c.name));
            l->setBuddy(client->findChild<QWidget*>(QString::fromLatin1(c.buddy)));
        }
    }

    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);

    const int menuHeight = decl.menus.empty() ? 0 : window.menuBar()->sizeHint().height();
    window.resize(toPixels(decl.width), toPixels(decl.height) + menuHeight);
    return focusable.empty() ? nullptr : focusable.front().second;
}

} // namespace shell
