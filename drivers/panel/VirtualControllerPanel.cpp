#include "VirtualControllerPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "clock.h"

namespace quorvel::drivers {
namespace {

const uint32_t kSweepMs = 2000;
// A sweep starts with a slow creep away from rest, as a hand or foot does: tracking opens an
// axis's observed range only from a step of a few units.
const uint32_t kCreepMs = 200;
const double kCreepUnits = 30;
const int kSliderSteps = 10000;

const char* AxisName(AxisType type)
{
    switch (type) {
    case AxisType::X: return "X";
    case AxisType::Y: return "Y";
    case AxisType::Z: return "Z";
    case AxisType::Rx: return "Rx";
    case AxisType::Ry: return "Ry";
    case AxisType::Rz: return "Rz";
    case AxisType::Slider: return "Slider";
    default: return "Other";
    }
}

// Sliders work on int; axes may span the whole 32-bit range, so the slider moves over
// fixed steps mapped onto the axis's range.
int ToSlider(const SimulatedAxis& axis, int32_t value)
{
    const int64_t span = int64_t{axis.max} - axis.min;
    return static_cast<int>((int64_t{value} - axis.min) * kSliderSteps / span);
}

int32_t FromSlider(const SimulatedAxis& axis, int position)
{
    const int64_t span = int64_t{axis.max} - axis.min;
    return static_cast<int32_t>(axis.min + span * position / kSliderSteps);
}

}  // namespace

VirtualControllerPanel::VirtualControllerPanel(std::shared_ptr<SimulatedDriver> driver, uint32_t epoch)
    : QWidget(nullptr, Qt::Window), m_driver(std::move(driver)), m_epoch(epoch)
{
    setWindowTitle(QStringLiteral("Virtual controllers"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* outer = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral("Plug the simulated controllers in and out, and drag their axes."));
    hint->setWordWrap(true);
    outer->addWidget(hint);

    const Fleet& fleet = m_driver->GetFleet();
    for (size_t c = 0; c < fleet.controllers.size(); ++c) {
        const SimulatedController& controller = fleet.controllers[c];
        char title[400];
        std::snprintf(title, sizeof title, "%s  (%04X:%04X)", controller.name.c_str(), controller.vendorId, controller.productId);
        auto* box = new QGroupBox(QString::fromUtf8(title));
        auto* grid = new QGridLayout(box);
        auto* plugged = new QCheckBox(QStringLiteral("Plugged in"));
        plugged->setChecked(m_driver->PluggedAt(controller.id, Now()));
        connect(plugged, &QCheckBox::toggled, this, [this, id = controller.id](bool on) { m_driver->SetPluggedOverride(id, on); });
        m_plugged.push_back(plugged);
        auto* sweep = new QPushButton(QStringLiteral("Sweep"));
        connect(sweep, &QPushButton::clicked, this, [this, c] { Sweep(c); });
        grid->addWidget(plugged, 0, 0, 1, 2);
        grid->addWidget(sweep, 0, 2, 1, 2, Qt::AlignRight);
        for (size_t a = 0; a < controller.axes.size(); ++a) {
            const SimulatedAxis& axis = controller.axes[a];
            auto* slider = new QSlider(Qt::Horizontal);
            slider->setRange(0, kSliderSteps);
            slider->setMinimumWidth(140);
            auto* reading = new QLabel;
            reading->setMinimumWidth(78);
            reading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* calibration = new QLabel;
            calibration->setStyleSheet(QStringLiteral("color: #555;"));
            const int row = static_cast<int>(1 + 2 * a);
            grid->addWidget(new QLabel(QString::fromUtf8(AxisName(axis.type))), row, 0);
            grid->addWidget(slider, row, 1, 1, 2);
            grid->addWidget(reading, row, 3);
            grid->addWidget(calibration, row + 1, 1, 1, 3);
            m_rows.push_back({c, a, slider, reading, calibration});
            const size_t index = m_rows.size() - 1;
            connect(slider, &QSlider::sliderPressed, this, [this, index] { m_rows[index].dragging = true; });
            connect(slider, &QSlider::sliderReleased, this, [this, index] { m_rows[index].dragging = false; });
            // A position the person chose holds until the next sweep.
            connect(slider, &QSlider::valueChanged, this, [this, index](int position) {
                AxisRow& r = m_rows[index];
                if (!r.slider->isSliderDown() && !r.dragging)
                    return;
                const SimulatedController& ctl = m_driver->GetFleet().controllers[r.controller];
                m_driver->SetAxisOverride(ctl.id, r.axis, FromSlider(ctl.axes[r.axis], position));
            });
        }
        outer->addWidget(box);
    }
    outer->addStretch(1);

    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] { Refresh(); });
    m_timer->start(20);
    Refresh();
}

uint32_t VirtualControllerPanel::Now() const
{
    return quorvel::NowMilliseconds() - m_epoch;
}

int32_t VirtualControllerPanel::SweepValue(const SimulatedAxis& axis, bool pedal, uint32_t elapsed) const
{
    const double lo = axis.min, hi = axis.max, centre = axis.Center();
    if (elapsed < kCreepMs) {
        const double creep = kCreepUnits * elapsed / kCreepMs;
        return static_cast<int32_t>(pedal ? lo + creep : centre - creep);
    }
    const double f = static_cast<double>(elapsed - kCreepMs) / kSweepMs;
    double v;
    if (pedal) {
        // Pressed fully and released: down over the first half, up over the second.
        v = f < 0.5 ? lo + (hi - lo) * (f * 2) : hi - (hi - lo) * ((f - 0.5) * 2);
    } else if (f < 0.25) {
        v = centre + (lo - centre) * (f / 0.25);
    } else if (f < 0.75) {
        v = lo + (hi - lo) * ((f - 0.25) / 0.5);
    } else {
        v = hi + (centre - hi) * ((f - 0.75) / 0.25);
    }
    return static_cast<int32_t>(std::max(lo, std::min(hi, v)));
}

void VirtualControllerPanel::Sweep(size_t controller)
{
    const Fleet& fleet = m_driver->GetFleet();
    if (controller >= fleet.controllers.size())
        return;
    for (auto it = m_sweeps.begin(); it != m_sweeps.end(); ++it)
        if (it->controller == controller) {
            m_sweeps.erase(it);
            break;
        }
    m_sweeps.push_back({controller, quorvel::NowMilliseconds()});
}

void VirtualControllerPanel::Refresh()
{
    if (!m_placed && isVisible()) {
        PlaceBesideTheDialog();
        m_placed = true;
    }
    const Fleet& fleet = m_driver->GetFleet();
    const uint32_t now = quorvel::NowMilliseconds();
    for (auto it = m_sweeps.begin(); it != m_sweeps.end();) {
        const SimulatedController& c = fleet.controllers[it->controller];
        const uint32_t elapsed = now - it->started;
        const bool wheel = (c.deviceType & 0xFF) == 0x16;
        for (size_t a = 0; a < c.axes.size(); ++a) {
            // A wheel's first axis turns; every other axis of a wheel is a pedal.
            const bool pedal = wheel && a > 0;
            const bool done = elapsed >= kCreepMs + kSweepMs;
            const int32_t value = done ? (pedal ? c.axes[a].min : c.axes[a].Center()) : SweepValue(c.axes[a], pedal, elapsed);
            m_driver->SetAxisOverride(c.id, a, value);
        }
        it = elapsed >= kCreepMs + kSweepMs ? m_sweeps.erase(it) : it + 1;
    }
    for (AxisRow& r : m_rows) {
        const SimulatedController& c = fleet.controllers[r.controller];
        const int32_t value = m_driver->AxisValue(c.id, r.axis, Now());
        if (!r.slider->isSliderDown() && !r.dragging) {
            QSignalBlocker block(r.slider);
            r.slider->setValue(ToSlider(c.axes[r.axis], value));
        }
        r.reading->setText(QString::number(value));
        AxisCalibration cal;
        if (m_driver->ReadCalibration(c.id, r.axis, &cal))
            r.calibration->setText(QStringLiteral("stored calibration %1 / %2 / %3").arg(cal.min).arg(cal.center).arg(cal.max));
        else
            r.calibration->setText(QStringLiteral("stored calibration unreadable"));
    }
    for (size_t c = 0; c < m_plugged.size(); ++c) {
        const bool plugged = m_driver->PluggedAt(fleet.controllers[c].id, Now());
        if (m_plugged[c]->isChecked() != plugged) {
            QSignalBlocker block(m_plugged[c]);
            m_plugged[c]->setChecked(plugged);
        }
    }
}

void VirtualControllerPanel::PlaceBesideTheDialog()
{
    // The calibration dialog is the other visible top-level window; stand beside it.
    QWidget* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && (!dialog || w->width() * w->height() > dialog->width() * dialog->height()))
            dialog = w;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (dialog == nullptr || screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect d = dialog->frameGeometry();
    const int gap = 12;
    const int width = frameGeometry().width();
    int x = d.right() + gap;
    if (x + width > area.right() && d.left() - gap - width >= area.left())
        x = d.left() - gap - width;
    move(std::max(area.left(), x), std::max(area.top(), d.top()));
}

void ShowPanelIfWanted(const std::shared_ptr<SimulatedDriver>& driver)
{
    if (!driver || !driver->GetFleet().panel || QApplication::instance() == nullptr)
        return;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && qEnvironmentVariableIsEmpty("QUORVEL_PANEL_OFFSCREEN"))
        return;  // nobody would see it
    static VirtualControllerPanel* panel = nullptr;
    if (panel != nullptr)
        return;
    panel = new VirtualControllerPanel(driver, quorvel::NowMilliseconds());
    panel->show();
}

}  // namespace quorvel::drivers
