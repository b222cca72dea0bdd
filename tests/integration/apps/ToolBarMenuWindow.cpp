// A window that keeps its menu bar inside a tool bar, beside a long list, as Gecko's windows
// do: the integration tests read its menus over the accessibility bus.
#include <QApplication>
#include <QKeySequence>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tool Bar Menus"));

    auto* toolBar = new QToolBar(QStringLiteral("Menu Bar"), &window);
    auto* menuBar = new QMenuBar(toolBar);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open…"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    file->addAction(QStringLiteral("Overwrite &Mode"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Ins")));
    // A digit mnemonic and no shortcut: Qt reports Alt+1 all the same.
    file->addAction(QStringLiteral("Heading &1"));
    file->addAction(QStringLiteral("&Play"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_MediaPlay));
    toolBar->addWidget(menuBar);
    window.addToolBar(toolBar);

    auto* list = new QListWidget(&window);
    for (int i = 0; i < 200; ++i)
        list->addItem(QStringLiteral("Row %1").arg(i));
    window.setCentralWidget(list);
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
