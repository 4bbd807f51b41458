// A window in which a person plugs and unplugs the simulated controllers and moves their
// axes with the mouse. It belongs to the simulated driver: the program does not know it.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "SimulatedDriver.h"

class QCheckBox;
class QLabel;
class QSlider;
class QTimer;

namespace quorvel::drivers {

class VirtualControllerPanel : public QWidget {
public:
    // `epoch` is the clock value the driver's timeline counts from.
    VirtualControllerPanel(std::shared_ptr<SimulatedDriver> driver, uint32_t epoch);

    // Moves every axis of a controller through its full travel and back to rest (a wheel
    // centred, pedals released) over about two seconds.
    void Sweep(size_t controller);
    // Applies running sweeps and shows the current readings; a timer calls it every 20 ms.
    void Refresh();

private:
    struct AxisRow {
        size_t controller;
        size_t axis;
        QSlider* slider;
        QLabel* reading;
        QLabel* calibration;
        bool dragging = false;
    };
    struct SweepState {
        size_t controller;
        uint32_t started;
    };

    void PlaceBesideTheDialog();
    uint32_t Now() const;
    int32_t SweepValue(const SimulatedAxis& axis, bool pedal, uint32_t elapsed) const;

    std::shared_ptr<SimulatedDriver> m_driver;
    uint32_t m_epoch;
    std::vector<AxisRow> m_rows;
    std::vector<QCheckBox*> m_plugged;
    std::vector<SweepState> m_sweeps;
    QTimer* m_timer;
    bool m_placed = false;
};

// Shows the panel for the driver when its fleet asks for one; called on the user-interface
// thread once the window system exists.
void ShowPanelIfWanted(const std::shared_ptr<SimulatedDriver>& driver);

}  // namespace quorvel::drivers
