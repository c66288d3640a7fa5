// "Promítat…": the dialog that asks what to project, and the full-screen view that shows one
// exercise at a time. The view draws the core's Projection and hands it the keys, the clicks
// and the clock's ticks.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "kind_choice.h"
#include "projection/projection.h"

namespace ciferon {

// What the view is ticked by: ticked(ms) as time passes. The program's runs on a QTimer;
// a test's emits advance() itself.
class ProjectionClock : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
    void advance(int milliseconds) { Q_EMIT ticked(milliseconds); }

  Q_SIGNALS:
    void ticked(int milliseconds);
};

// Ten ticks a second, each the time measured since the last, so a late tick loses nothing.
class TimerClock final : public ProjectionClock {
    Q_OBJECT

  public:
    explicit TimerClock(QObject* parent = nullptr);

  private:
    QTimer timer_;
    QElapsedTimer since_;
};

class ProjectionDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit ProjectionDialog(const ProjectionRequest& initial, QWidget* parent = nullptr);
    [[nodiscard]] ProjectionRequest request() const;

  private:
    // "Promítat" only while the core accepts the request; the line under it says why not.
    void showProblem();

    KindChoiceBox* kinds_;
    QSpinBox* count_;
    QSpinBox* seconds_;
    QLineEdit* code_;
    QLabel* problem_;
    QPushButton* project_;
};

class ProjectionView final : public QWidget {
    Q_OBJECT

  public:
    // Takes the clock over.
    ProjectionView(const Sheet& sheet, int seconds, ProjectionClock* clock,
                   QWidget* parent = nullptr);

    [[nodiscard]] const Projection& model() const { return model_; }
    // The exercise's pixel size at the view's size, and the face it is drawn in.
    [[nodiscard]] int exerciseSize() const;
    [[nodiscard]] QFont face(int pixelSize) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void act(Projection::Action action);
    // Draws the model's change and tells screen readers; closes the view once it has ended.
    void changed();
    void paintEndScreen(class QPainter& painter) const;

    Projection model_;
    ProjectionClock* clock_;
};

}  // namespace ciferon
