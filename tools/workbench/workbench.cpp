// SPDX-License-Identifier: MIT
#include "tools/workbench/workbench.h"

#include "tools/catalogue.h"
#include "tools/workbench/inputs.h"
#include "voltiva/version.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tools {

namespace {

constexpr int toolRole = Qt::UserRole;

// Where the program keeps its settings: ~/.config/voltiva/voltiva.conf. Each write reaches the
// file when its object goes, so a settings object lives for one statement.
class Settings : public QSettings {
public:
    Settings()
        : QSettings(QStringLiteral("voltiva"), QStringLiteral("voltiva"))
    {
    }
};

QString inputsKey(const Tool& tool)
{
    return QStringLiteral("tools/%1/inputs").arg(QLatin1String(tool.window));
}

QString groupName(Group group)
{
    switch (group) {
    case Group::ValuesAndParts:
        return Workbench::tr("Values and parts");
    case Group::Design:
        return Workbench::tr("Design");
    case Group::Boards:
        return Workbench::tr("Boards");
    }
    return {};
}

// A text's words, in lower case: "Ohm's law" is ohm, s and law.
QStringList words(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
    return text.toLower().split(separators, Qt::SkipEmptyParts);
}

// The words a tool is found by: its name, what it answers, its window and its commands.
QStringList wordsOf(const Tool& tool)
{
    QString text = title(tool) + u' ' + QString::fromUtf8(tool.summary) + u' ' + QLatin1String(tool.window);
    for (const cli::Command& command : tool.commands)
        text += u' ' + QString::fromUtf8(command.name.data(), qsizetype(command.name.size()));
    return words(text);
}

// Found when each word typed begins a word of the tool's.
bool matches(const QStringList& wanted, const QStringList& words)
{
    return std::all_of(wanted.begin(), wanted.end(), [&words](const QString& w) {
        return std::any_of(words.begin(), words.end(), [&w](const QString& word) { return word.startsWith(w); });
    });
}

// The list asks for the room of its longest name, not the scroll area's usual 256 pixels.
class ToolList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    QSize sizeHint() const override { return {minimumWidth(), QTreeWidget::sizeHint().height()}; }
};

QAction* action(QMenu* menu, const char* name, const QString& text, const QList<QKeySequence>& keys = {})
{
    auto* item = menu->addAction(text);
    item->setObjectName(QLatin1String(name));
    item->setShortcuts(keys);
    return item;
}

} // namespace

Workbench::Workbench(QMainWindow& window, const Links& links)
    : QWidget(&window)
    , window_(window)
    , txtFind_(new QLineEdit(this))
    , lstTools_(new ToolList(this))
    , stack_(new QStackedWidget(this))
    , help_(new QTextBrowser(this))
    , splitter_(new QSplitter(this))
    , saveLater_(new QTimer(this))
{
    setObjectName(QStringLiteral("pnlWorkbench"));
    txtFind_->setObjectName(QStringLiteral("txtFind"));
    txtFind_->setAccessibleName(tr("Find a tool"));
    txtFind_->setPlaceholderText(tr("Find a tool (Ctrl+K)"));
    txtFind_->setClearButtonEnabled(true);
    txtFind_->installEventFilter(this);

    lstTools_->setObjectName(QStringLiteral("lstTools"));
    lstTools_->setAccessibleName(tr("Tools"));
    lstTools_->setHeaderHidden(true);
    lstTools_->setRootIsDecorated(false);
    lstTools_->setItemsExpandable(false);
    lstTools_->setUniformRowHeights(true);
    const Tool* previous = nullptr;
    QTreeWidgetItem* group = nullptr;
    for (const Tool& tool : catalogue()) {
        if (previous == nullptr || previous->group != tool.group) {
            group = new QTreeWidgetItem(lstTools_, {groupName(tool.group)});
            group->setFlags(Qt::ItemIsEnabled);
            // Only the weight: the face stays the list's, and follows it to another ratio.
            QFont bold;
            bold.setBold(true);
            group->setFont(0, bold);
        }
        auto* item = new QTreeWidgetItem(group, {title(tool)});
        item->setData(0, toolRole, QLatin1String(tool.window));
        item->setToolTip(0, QString::fromUtf8(tool.summary));
        previous = &tool;
    }
    lstTools_->expandAll();
    // Wide enough for the longest name: the list never elides a tool.
    int widest = 0;
    for (QTreeWidgetItem* item : lstTools_->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive))
        widest = std::max(widest, QFontMetrics(item->font(0)).horizontalAdvance(item->text(0)));
    lstTools_->setMinimumWidth(widest + lstTools_->indentation() + 2 * lstTools_->frameWidth() + 16);

    auto* chooser = new QWidget(this);
    auto* column = new QVBoxLayout(chooser);
    // The tool beside it brings margins of its own.
    column->setContentsMargins(style()->pixelMetric(QStyle::PM_LayoutLeftMargin),
                               style()->pixelMetric(QStyle::PM_LayoutTopMargin), 0,
                               style()->pixelMetric(QStyle::PM_LayoutBottomMargin));
    column->addWidget(txtFind_);
    column->addWidget(lstTools_);

    help_->setObjectName(QStringLiteral("txtHelp"));
    help_->setAccessibleName(tr("Help"));
    help_->setOpenExternalLinks(true);
    help_->setMinimumWidth(help_->fontMetrics().averageCharWidth() * 40);
    help_->hide();

    splitter_->setObjectName(QStringLiteral("splWorkbench"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(chooser);
    splitter_->addWidget(stack_);
    splitter_->addWidget(help_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setStretchFactor(2, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    window.setCentralWidget(this);

    saveLater_->setSingleShot(true);
    saveLater_->setInterval(300);
    connect(saveLater_, &QTimer::timeout, this, [this] {
        saveInputs();
        saveLayout();
    });
    connect(splitter_, &QSplitter::splitterMoved, saveLater_, qOverload<>(&QTimer::start));
    connect(txtFind_, &QLineEdit::textChanged, this, &Workbench::filter);
    connect(lstTools_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item == nullptr)
            return;
        if (const Tool* tool = tools::find(item->data(0, toolRole).toString().toStdString()); tool && tool != current_)
            shown(*tool);
    });
    connect(lstTools_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (!item->data(0, toolRole).isNull())
            showTool(item->data(0, toolRole).toString().toStdString());
    });

    buildMenus(links);
    window.installEventFilter(this);
    window.restoreGeometry(Settings().value(QStringLiteral("workbench/geometry")).toByteArray());
    splitter_->restoreState(Settings().value(QStringLiteral("workbench/splitter")).toByteArray());
}

Workbench::~Workbench()
{
    if (saveLater_->isActive()) {
        saveInputs();
        saveLayout();
    }
}

void Workbench::buildMenus(const Links& links)
{
    QMenuBar* bar = window_.menuBar();
    QMenu* file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(action(file, "mnuFileNew", tr("&New window"), {QKeySequence::New}), &QAction::triggered, this,
            links.newWindow);
    connect(action(file, "mnuFileReset", tr("&Reset to example")), &QAction::triggered, this,
            &Workbench::resetToExample);
    file->addSeparator();
    connect(action(file, "mnuFileClose", tr("&Close"), {QKeySequence(Qt::CTRL | Qt::Key_W), Qt::Key_Escape}),
            &QAction::triggered, &window_, &QWidget::close);

    QMenu* toolsMenu = bar->addMenu(tr("&Tools"));
    toolsMenu->setObjectName(QStringLiteral("mnuTools"));
    connect(action(toolsMenu, "mnuToolsFind", tr("&Find a tool..."),
                   {QKeySequence(Qt::CTRL | Qt::Key_K), QKeySequence(Qt::CTRL | Qt::Key_F)}),
            &QAction::triggered, this, [this] {
                txtFind_->setFocus(Qt::ShortcutFocusReason);
                txtFind_->selectAll();
            });
    const Tool* previous = nullptr;
    for (const Tool& tool : catalogue()) {
        if (previous == nullptr || previous->group != tool.group)
            toolsMenu->addSeparator();
        connect(action(toolsMenu, tool.action, QString::fromUtf8(tool.menuText)), &QAction::triggered, this,
                [this, name = tool.window] { showTool(name); });
        previous = &tool;
    }

    QMenu* windows = bar->addMenu(tr("&Window"));
    windows->setObjectName(QStringLiteral("mnuWindow"));
    connect(action(windows, "mnuWindowCalculators", tr("&Calculators")), &QAction::triggered, this, links.calculators);

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(action(help, "mnuHelpTool", tr("&Help on this tool"), {QKeySequence::HelpContents}), &QAction::triggered,
            this, &Workbench::toggleHelp);
    connect(action(help, "mnuHelpWorkbench", tr("How to use the &workbench")), &QAction::triggered, this,
            &Workbench::showWorkbenchHelp);
    connect(action(help, "mnuHelpHow", tr("How to use the &calculators...")), &QAction::triggered, this, links.howTo);
    help->addSeparator();
    connect(action(help, "mnuHelpAbout", tr("&About Voltiva V%1...").arg(QLatin1String(VOLTIVA_VERSION_SHORT))),
            &QAction::triggered, this, links.about);
}

QWidget* Workbench::showTool(std::string_view name)
{
    const Tool* tool = tools::find(name);
    if (tool == nullptr)
        tool = tools::find(Settings().value(QStringLiteral("workbench/tool")).toString().toStdString());
    if (tool == nullptr)
        tool = &catalogue().front();
    shown(*tool);
    QWidget* page = panel(tool->window);
    // The field a tool names as its first (its focus proxy, or the one it gave the focus), else
    // its first field.
    QWidget* target = page->focusProxy() ? page->focusProxy() : page->focusWidget();
    if (target == nullptr)
        target = page->findChild<QLineEdit*>();
    if (target == nullptr)
        return nullptr;
    target->setFocus(Qt::OtherFocusReason);
    // What the field holds is an example or what was typed before: the first key replaces it.
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
    return target;
}

QWidget* Workbench::panel(std::string_view name) const
{
    const auto it = panels_.find(name);
    return it == panels_.end() ? nullptr : it->second.data();
}

void Workbench::shown(const Tool& tool)
{
    QWidget* page = panel(tool.window);
    if (page == nullptr)
        page = make(tool, false);
    current_ = &tool;
    // The stack asks for the room of the page it shows, not of the largest it holds.
    for (int i = 0; i < stack_->count(); ++i) {
        QWidget* other = stack_->widget(i);
        other->setSizePolicy(other == page ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                             other == page ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    stack_->setCurrentWidget(page);
    const QString name = page->windowTitle().isEmpty() ? title(tool) : page->windowTitle();
    window_.setWindowTitle(tr("%1 - Voltiva").arg(name));
    for (QTreeWidgetItem* item : lstTools_->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive)) {
        if (item->data(0, toolRole).toString() == QLatin1String(tool.window) && lstTools_->currentItem() != item)
            lstTools_->setCurrentItem(item);
    }
    if (help_->isVisible())
        showHelpOf(QLatin1String(tool.window));
    Settings().setValue(QStringLiteral("workbench/tool"), QLatin1String(tool.window));
    growToFit();
}

QWidget* Workbench::make(const Tool& tool, bool fromExample)
{
    QWidget* page = tool.make(stack_);
    page->setObjectName(QLatin1String(tool.window));
    stack_->addWidget(page);
    panels_[tool.window] = page;
    const QString key = inputsKey(tool);
    const QStringList entries =
        !fromExample && Settings().contains(key) ? Settings().value(key).toStringList() : exampleEntries(tool.example);
    enter(*page, entries);
    auto* recorder = new InputRecorder(*page);
    recorder->follow(entries);
    recorders_[tool.window] = recorder;
    connect(recorder, &InputRecorder::changed, saveLater_, qOverload<>(&QTimer::start));
    // A tool's own Close closes the workbench, as Escape does.
    if (auto* close = page->findChild<QAbstractButton*>(QStringLiteral("cmdClose")))
        connect(close, &QAbstractButton::clicked, &window_, &QWidget::close);
    return page;
}

void Workbench::resetToExample()
{
    if (current_ == nullptr)
        return;
    const Tool& tool = *current_;
    QWidget* old = panel(tool.window);
    make(tool, true);
    if (old != nullptr) {
        stack_->removeWidget(old);
        old->deleteLater();
    }
    Settings().setValue(inputsKey(tool), exampleEntries(tool.example));
    current_ = nullptr;
    showTool(tool.window);
}

void Workbench::toggleHelp()
{
    if (help_->isVisible() && helpPage_ == QLatin1String(current_ ? current_->window : "")) {
        help_->hide();
        saveLater_->start();
        return;
    }
    showHelpOf(QLatin1String(current_ ? current_->window : "workbench"));
}

void Workbench::showWorkbenchHelp()
{
    showHelpOf(QStringLiteral("workbench"));
}

void Workbench::showHelpOf(const QString& page)
{
    // Every page ends with how values are typed, which every tool shares.
    QString html;
    for (const QString& part : {page, QStringLiteral("typing")}) {
        QFile file(QStringLiteral(":/help/%1.html").arg(part));
        if (file.open(QIODevice::ReadOnly))
            html += QString::fromUtf8(file.readAll());
    }
    help_->setHtml(html);
    helpPage_ = page;
    if (!help_->isVisible()) {
        help_->show();
        growToFit();
        // The help takes its room from the list and the tool only as far as they can spare it.
        QList<int> sizes = splitter_->sizes();
        if (sizes.size() == 3 && sizes[2] < help_->minimumWidth()) {
            sizes[1] = std::max(stack_->minimumSizeHint().width(), sizes[1] - (help_->minimumWidth() - sizes[2]));
            sizes[2] = help_->minimumWidth();
            splitter_->setSizes(sizes);
        }
    }
}

void Workbench::filter(const QString& text)
{
    const QStringList wanted = words(text);
    for (int g = 0; g < lstTools_->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = lstTools_->topLevelItem(g);
        bool any = false;
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem* item = group->child(i);
            const Tool* tool = tools::find(item->data(0, toolRole).toString().toStdString());
            const bool found = tool && matches(wanted, wordsOf(*tool));
            item->setHidden(!found);
            any = any || found;
        }
        group->setHidden(!any);
    }
}

QTreeWidgetItem* Workbench::firstVisibleTool() const
{
    for (int g = 0; g < lstTools_->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = lstTools_->topLevelItem(g);
        for (int i = 0; i < group->childCount() && !group->isHidden(); ++i) {
            if (!group->child(i)->isHidden())
                return group->child(i);
        }
    }
    return nullptr;
}

void Workbench::openFirstFound()
{
    // A tool whose name begins with the words typed comes first, then one whose name has them,
    // then one that only mentions them: "filters" opens Filters, not Timing and filters, and
    // "network" opens Network, not Standard values' networks.
    const QStringList wanted = words(txtFind_->text());
    const auto begins = [&wanted](const QStringList& name) {
        if (name.size() < wanted.size())
            return false;
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            if (!name[i].startsWith(wanted[i]))
                return false;
        }
        return true;
    };
    QTreeWidgetItem* const visible = firstVisibleTool();
    const auto firstNamed = [&](const auto& named) -> QTreeWidgetItem* {
        for (QTreeWidgetItem* item = visible; item != nullptr; item = lstTools_->itemBelow(item)) {
            if (!item->isHidden() && named(words(item->text(0))))
                return item;
        }
        return nullptr;
    };
    QTreeWidgetItem* first = firstNamed(begins);
    if (first == nullptr)
        first = firstNamed([&wanted](const QStringList& name) { return matches(wanted, name); });
    if (first == nullptr)
        first = visible;
    if (first != nullptr)
        showTool(first->data(0, toolRole).toString().toStdString());
}

bool Workbench::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
            saveLater_->start();
        } else if (event->type() == QEvent::Hide && saveLater_->isActive()) {
            // Closed: what was set is written before another workbench can read it.
            saveLater_->stop();
            saveInputs();
            saveLayout();
        }
        return false;
    }
    if (watched != txtFind_)
        return false;
    // Escape in a find box that holds text empties it; an empty one leaves Escape to the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !txtFind_->text().isEmpty()) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        txtFind_->clear();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openFirstFound();
        return true;
    case Qt::Key_Down:
        if (QTreeWidgetItem* item = firstVisibleTool()) {
            lstTools_->setCurrentItem(item);
            lstTools_->setFocus(Qt::TabFocusReason);
        }
        return true;
    default:
        return false;
    }
}

void Workbench::saveInputs()
{
    for (const auto& [name, recorder] : recorders_) {
        if (const Tool* tool = tools::find(name); tool && recorder)
            Settings().setValue(inputsKey(*tool), recorder->entries());
    }
}

void Workbench::saveLayout()
{
    Settings().setValue(QStringLiteral("workbench/geometry"), window_.saveGeometry());
    Settings().setValue(QStringLiteral("workbench/splitter"), splitter_->saveState());
}

void Workbench::growToFit()
{
    // Grows to show what it holds, never shrinks: a window does not jump as tools change.
    const QSize needed = window_.sizeHint();
    if (window_.width() < needed.width() || window_.height() < needed.height())
        window_.resize(window_.size().expandedTo(needed));
}

} // namespace tools
