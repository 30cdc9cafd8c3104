#pragma once
// The main setup page (Frame_Main_Setup): the settings of the whole unit in SysData, the general
// system description, and the lists that claim bus channels for the multiplexer, the time output and
// the counter.

#include <QFrame>

#include "app/context.h"
#include "ui/editor/locked_field.h"
#include "ui/editor/pages/page_host.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace korvane {

class MainSetupPage : public QFrame {
    Q_OBJECT
public:
    MainSetupPage(AppContext& ctx, PageHost& host, FieldKit& kit, QWidget* parent = nullptr);

    // Model -> widgets, after the range repairs of bytes 12, 49 and 52; sets the menu entries the
    // event output and the device number decide.
    void fill();
    // The PC's time in L_ThisTime (the editor's clock).
    void setThisTime(const QString& text);

    // Widgets -> model: the choices of the lists (index of the chosen item).
    void Combo_NoChannels_Click(int index);
    void Combo_MuxCount_Click(int index);
    void ComboDupUr_Click(int index);
    void Combo_Counter_Click(int index);
    void Combo_EventSelect_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* combo(const char* name, int helpId, int labelText, QLabel** label);
    void setMenu(const char* name, bool enabled);
    void claimsChanged(bool changed);
    // Selects the item of a stored value, or shows an extra "?" item for a value the list cannot show.
    static void showValue(QComboBox* box, int index, bool valid);

    AppContext& ctx_;
    PageHost& host_;
    QCheckBox* cPcTime_ = nullptr;
    QLabel* lThisTime_ = nullptr;
    QCheckBox* cAutoSumWin_ = nullptr;
    QComboBox* comboNoChannels_ = nullptr;
    QComboBox* comboMuxCount_ = nullptr;
    QComboBox* comboMuxDelay_ = nullptr;
    QComboBox* comboCounter_ = nullptr;
    QComboBox* comboEventSelect_ = nullptr;
    QComboBox* comboDupUr_ = nullptr;
    LockedField* tDeviceNo_ = nullptr;
    QLabel* lblNoChannels_ = nullptr;
    QLabel* lblMuxCount_ = nullptr;
    QLabel* lblMuxDelay_ = nullptr;
    QLabel* lblCounter_ = nullptr;
    QLabel* lblEventSelect_ = nullptr;
    QLabel* lblTimeOutput_ = nullptr;
    QLabel* lblDeviceNo_ = nullptr;
    QLabel* lGenerelBeskriv_ = nullptr;
    QLineEdit* tGenerelBeskriv_ = nullptr;
    QLabel* lblWarn_ = nullptr;
};

} // namespace korvane
