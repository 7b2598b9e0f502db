#include "editor/ui/EditTriggers.h"

#include "document/CalendarModel.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace qv {

namespace {

class KeyReleaseWatch : public QObject {
public:
    KeyReleaseWatch(QWidget* field, std::function<void(int)> action)
        : QObject(field), m_action(std::move(action)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            m_action(static_cast<QKeyEvent*>(event)->key());
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(int)> m_action;
};

class FocusLossWatch : public QObject {
public:
    FocusLossWatch(QWidget* field, std::function<void()> action)
        : QObject(field), m_action(std::move(action)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                m_action();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

void onFocusLost(QWidget* field, std::function<void()> action) {
    new FocusLossWatch(field, std::move(action));
}

void onKeyReleased(QWidget* field, std::function<void(int key)> action) {
    new KeyReleaseWatch(field, std::move(action));
}

void onEnterReleased(QWidget* field, std::function<void()> action) {
    onKeyReleased(field, [action = std::move(action)](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            action();
    });
}

void watchTypedField(QLineEdit* field, CalendarModel& model) {
    QObject::connect(field, &QLineEdit::textEdited, &model, &CalendarModel::noteTyped);
    // The field may lose the focus while the window goes, after the model.
    onFocusLost(field, [model = QPointer<CalendarModel>(&model)] {
        if (model && model->hasTypedText())
            model->confirmValues();
    });
}

} // namespace qv
