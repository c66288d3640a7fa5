#include "kind_choice.h"

#include <QGridLayout>
#include <QLabel>

#include "codes/choice.h"
#include "page_type.h"

namespace ciferon {

void keepRoomFor(QLabel& problemLine) {
    problemLine.setWordWrap(true);
    problemLine.setMinimumHeight(problemLine.fontMetrics().lineSpacing() * 2);
    problemLine.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QSizePolicy policy = problemLine.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    problemLine.setSizePolicy(policy);
}

namespace {

constexpr KindChoice bit(int kind) {
    return static_cast<KindChoice>(1U << static_cast<unsigned>(kind));
}

}  // namespace

KindChoiceBox::KindChoiceBox(KindChoice initial, QWidget* parent)
    : QGroupBox(QStringLiteral("Druhy příkladů"), parent) {
    auto* grid = new QGridLayout(this);
    // Two topics a row, in the core's order, so that Tab and screen readers follow it.
    int place = 0;
    for (const KindTopic& topic : kindTopics()) {
        auto* column = new QGridLayout;
        auto* all = new QCheckBox(toQString(topic.name), this);
        all->setObjectName(QStringLiteral("topic%1").arg(topics_.size()));
        column->addWidget(all, 0, 0, 1, 3);
        // The kinds stand indented under their topic.
        column->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * 3);
        int row = 1;
        for (const int kind : topic.kinds) {
            const QString example = toQString(kindExample(kind));
            // The teacher's number is the kind number plus one.
            auto* field = new QCheckBox(
                QStringLiteral("%1. %2").arg(kind + 1).arg(toQString(kindName(kind))), this);
            field->setObjectName(QStringLiteral("kind%1").arg(kind));
            field->setChecked((initial & bit(kind)) != 0);
            field->setAccessibleDescription(QStringLiteral("Například %1").arg(example));
            connect(field, &QCheckBox::toggled, this, [this] {
                showTopics();
                Q_EMIT changed();
            });
            auto* sample = new QLabel(example, this);
            column->addWidget(field, row, 1);
            column->addWidget(sample, row, 2);
            kinds_.at(static_cast<std::size_t>(kind)) = field;
            ++row;
        }
        column->setRowStretch(row, 1);
        // A click ticks or clears the topic's kinds as the core decides.
        connect(all, &QCheckBox::clicked, this, [this, &topic] {
            const KindChoice after = clickTopic(topic, chosen());
            for (const int kind : topic.kinds) {
                kinds_.at(static_cast<std::size_t>(kind))->setChecked((after & bit(kind)) != 0);
            }
            showTopics();
        });
        topics_.push_back(all);
        grid->addLayout(column, place / 2, place % 2);
        ++place;
    }
    showTopics();
}

KindChoice KindChoiceBox::chosen() const {
    KindChoice chosen = 0;
    for (std::size_t kind = 0; kind < kinds_.size(); ++kind) {
        if (kinds_.at(kind)->isChecked()) {
            chosen |= bit(static_cast<int>(kind));
        }
    }
    return chosen;
}

void KindChoiceBox::showTopics() {
    const KindChoice ticked = chosen();
    for (std::size_t index = 0; index < topics_.size(); ++index) {
        const TopicState state = topicState(kindTopics().at(index), ticked);
        topics_[index]->setCheckState(state == TopicState::Cleared  ? Qt::Unchecked
                                      : state == TopicState::Ticked ? Qt::Checked
                                                                    : Qt::PartiallyChecked);
    }
}

}  // namespace ciferon
