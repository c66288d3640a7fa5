// Driving the window's real modal dialogs from a test, as a user would, and reading back the
// PDF files they make: shared by the window's tests and the print tests.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "classset_dialog.h"
#include "form1.h"

namespace ciferon {

// A PDF's text as pdftotext reads it, one string per page.
inline QStringList pdfPages(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!reader.waitForFinished() || reader.exitCode() != 0) {
        return {};
    }
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();  // after the last page's form feed
    return pages;
}

// Runs `answer` on the next modal dialog as soon as it is shown: polls the application's
// active modal widget from a timer, so no delay needs tuning.
inline void onNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget();
            modal != nullptr && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start(5);
}

enum class Focus { Any, Active };

// Shows the window and waits until it is exposed, or active for keyboard input.
inline bool showWindow(QWidget& window, Focus focus = Focus::Any) {
    window.show();
    if (focus == Focus::Any) {
        return QTest::qWaitForWindowExposed(&window);
    }
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

template <typename T>
T* child(const QWidget& form, const char* name) {
    auto* found = form.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no child %s", name);
    }
    return found;
}

// With CIFERON_SCREENSHOTS naming a folder, saves the widget's picture there for the README
// (tools/screenshot.sh runs the tests so under Xvfb).
inline void screenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CIFERON_SCREENSHOTS");
    if (!folder.isEmpty()) {
        // As a person sees it: laid out again after the last change, as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
        QVERIFY(widget.grab().save(QDir(folder).filePath(name)));
    }
}

inline QPushButton* buttonNamed(const QWidget& dialog, const QString& text) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    qFatal("no button %s", qPrintable(text));
}

// Names `path` in the real file dialog `modal` and saves.
inline void answerFileDialog(QWidget* modal, const QString& suggestedName, const QString& path) {
    QVERIFY(qobject_cast<QFileDialog*>(modal) != nullptr);
    auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QCOMPARE(name->text(), suggestedName);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

// Opens the real class-set dialog from the menu's command, lets `fill` set its fields, presses
// `command` ("Vytisknout…", "Uložit jako PDF…" or "Náhled tisku…") and hands the dialog that
// command opens to `next`.
inline void throughClassSetDialog(Form1& form, const std::function<void(ClassSetDialog&)>& fill,
                                  const QString& command,
                                  const std::function<void(QWidget*)>& next) {
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<ClassSetDialog*>(modal);
        QVERIFY(dialog != nullptr);
        fill(*dialog);
        onNextModal(next);
        buttonNamed(*dialog, command)->click();
    });
    form.printClassSet();
}

// The class-set dialog as throughClassSetDialog opens it, saved with "Uložit jako PDF…" as
// `path` through the real file dialog.
inline void saveClassSet(Form1& form, const QString& path,
                         const std::function<void(ClassSetDialog&)>& fill) {
    throughClassSetDialog(form, fill, QStringLiteral("Uložit jako PDF…"), [&](QWidget* modal) {
        answerFileDialog(modal, QStringLiteral("pracovni-listy.pdf"), path);
    });
}

}  // namespace ciferon
