#include "DialogFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

#include "DirectInputStandIn.h"
#include "testing/FrameworkTesting.h"

namespace testsupport {

void DialogTest::SetUp()
{
    driver = std::make_shared<FakeControllerDriver>();
    quorvel::drivers::InstallControllerDriver(driver);
    clock = std::make_unique<quorvel::ManualClock>(100000);
}

void DialogTest::TearDown()
{
    Close();
    quorvel::drivers::InstallControllerDriver(nullptr);
    afx::testing::SetMessageBoxHandler({});
    clock.reset();
}

void DialogTest::Open()
{
    dlg = std::make_unique<TestDialog>();
    ASSERT_TRUE(dlg->Create(IDD_CALIBRATION));
}

void DialogTest::Close()
{
    if (dlg && dlg->GetSafeHwnd())
        dlg->DestroyWindow();
}

void DialogTest::ClickAsUser(int id)
{
    QWidget* widget = afx::testing::WidgetOf(Ctl(id));
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(8, widget->height() / 2));
}

void DialogTest::SelectAsUser(int index)
{
    auto* combo = qobject_cast<QComboBox*>(afx::testing::WidgetOf(Ctl(IDC_DEVICE)));
    ASSERT_NE(combo, nullptr);
    // Open the drop-down list and click the entry, as a person does (also the entry that
    // is already selected).
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(view->isVisible());
    const QRect item = view->visualRect(view->model()->index(index, 0));
    ASSERT_TRUE(item.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
}

std::string DialogTest::ComboText(int index) const
{
    char buffer[1024] = {};
    Ctl(IDC_DEVICE)->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::vector<std::string> DialogTest::ComboTexts() const
{
    std::vector<std::string> texts;
    for (int i = 0; i < ComboCount(); ++i)
        texts.push_back(ComboText(i));
    return texts;
}

std::string DialogTest::Text(int id) const
{
    CString text;
    Ctl(id)->GetWindowText(text);
    return text.str();
}

FakeController& DialogTest::AddWheel(const std::string& key, std::u16string name)
{
    FakeController c;
    c.key = key;
    c.name = std::move(name);
    c.vendorId = 0x1209;
    c.productId = 0xB0B1;
    c.deviceType = 0x0316;
    c.axes = {AutoAxis(AxisType::X), AutoAxis(AxisType::Y), AutoAxis(AxisType::Z), AutoAxis(AxisType::Rz)};
    for (size_t i = 1; i < c.axes.size(); ++i)
        c.axes[i].value = 0;  // pedals at rest
    return driver->Add(std::move(c));
}

FakeController& DialogTest::AddPad(const std::string& key, std::u16string name)
{
    FakeController c;
    c.key = key;
    c.name = std::move(name);
    c.vendorId = 0x2341;
    c.productId = 0x8036;
    c.deviceType = 0x0215;
    c.axes = {AutoAxis(AxisType::X, -32768, 32767), AutoAxis(AxisType::Y, -32768, 32767),
              AutoAxis(AxisType::Rx, -32768, 32767), AutoAxis(AxisType::Ry, -32768, 32767)};
    return driver->Add(std::move(c));
}

}  // namespace testsupport
