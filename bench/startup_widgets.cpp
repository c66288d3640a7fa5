// The second yardstick for the startup benchmark: the main window's widgets without the
// program. The same client size, the two list fields in Times New Roman 12 with their scroll
// bars, the four buttons in Arial 8 with their captions and the menu bar in the buttons' face
// with as many entries, but nothing of Ciferon linked: what start-up costs beyond this is the
// program's own.
#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>

#include "shown_then_quit.h"

namespace {

QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

void addField(QWidget* parent, const QRect& place) {
    auto* field = new QPlainTextEdit(parent);
    field->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field->setGeometry(place);
}

void addButton(QWidget* parent, const QString& caption, const QRect& place) {
    auto* button = new QPushButton(caption, parent);
    button->setFont(QFont(QStringLiteral("Arial"), 8));
    button->setAutoDefault(true);
    button->setGeometry(place);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    addField(client, twips(120, 120, 4575, 3015));
    addField(client, twips(4800, 120, 5295, 3015));
    addButton(client, QStringLiteral("Generuj"), twips(120, 3240, 1935, 375));
    addButton(client, QStringLiteral("Kopíruj obě pole do schránky"), twips(2160, 3240, 2535, 375));
    addButton(client, QStringLiteral("Smaž obsah obou polí"), twips(4920, 3240, 2535, 375));
    addButton(client, QStringLiteral("Ukonči práci"), twips(8280, 3240, 1815, 375));
    window.menuBar()->setFont(QFont(QStringLiteral("Arial"), 8));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Soubor"));
    for (int entry = 0; entry < 14; ++entry) {
        file->addAction(QStringLiteral("Položka %1").arg(entry));
    }
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Nápověda"));
    help->addAction(QStringLiteral("Nápověda"));
    help->addAction(QStringLiteral("O programu"));
    client->setMinimumSize(685, 248);
    const QuitWhenShown quit(window);
    window.show();
    return QApplication::exec();
}
