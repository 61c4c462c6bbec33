#include "ui/control_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWheelEvent>

namespace velmora::ui {

namespace {

// The wheel passes over a pop-up, to the window beneath it: turned while the
// pointer crosses the account pop-up, it would change the account the next
// send books to without the user noticing. A click or the keyboard chooses;
// the open list still scrolls.
class PopupMenu final : public QComboBox {
public:
    explicit PopupMenu(QWidget* parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

// The layout measures in points of 1/72 inch as drawn on a 72-dpi screen, so
// a size in points is a size in pixels here; without this, texts would not fit
// the declared boxes on screens of other densities.
QFont fontFor(const ControlFont& declared)
{
    QFont font = QApplication::font();
    if (!declared.family.empty())
        font.setFamilies({platform::QText(declared.family), font.family()});
    if (declared.size > 0)
        font.setPixelSize(declared.size);
    return font;
}

QWidget* createWidget(ControlKind kind, QWidget* surface, const QString& text)
{
    switch (kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, surface);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(text, surface);
        label->setFocusPolicy(Qt::NoFocus);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        return label;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, surface);
    case ControlKind::PopupMenu:
        return new PopupMenu(surface);
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(surface);
        bar->setTextVisible(false);  // a label beside it says the count in words
        return bar;
    }
    }
    return nullptr;
}

// The layout was drawn for a narrower system font than many desktops have; a
// text that would be cut off at its declared width gets a smaller size instead,
// so that every caption stays whole and no control moves.
void shrinkTextToFit(QWidget* control, int width)
{
    constexpr int smallest_pixel_size = 9;
    QFont font = control->font();
    while (control->sizeHint().width() > width && font.pixelSize() > smallest_pixel_size) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
    }
}

}  // namespace

QWidget* CreateControl(QWidget* surface, const ControlProperties& properties)
{
    QWidget* control = createWidget(properties.kind, surface, platform::QText(properties.text));
    control->setObjectName(platform::QText(properties.name));
    control->setGeometry(properties.left, properties.top, properties.width, properties.height);
    control->setFont(fontFor(properties.font));
    if (!properties.tooltip.empty())
        control->setToolTip(platform::QText(properties.tooltip));
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setAlignment((properties.alignment == TextAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft)
                            | Qt::AlignVCenter);
    if (auto* button = qobject_cast<QPushButton*>(control))
        button->setDefault(properties.is_default_button);
    if (properties.kind == ControlKind::Label || properties.kind == ControlKind::CheckBox)
        shrinkTextToFit(control, properties.width);
    return control;
}

void SetTabOrder(std::span<QWidget* const> controls_by_tab_index)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls_by_tab_index) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace velmora::ui
