#include "panel/frmAbout.h"

#include "controls/AutoSizeLabel.h"
#include "controls/DirListBox.h"
#include "controls/EditableList.h"
#include "controls/SecondsField.h"
#include "panel/CatalogueControls.h"
#include "settings/SettingsFile.h"
#include "startup/AppRecords.h"
#include "startup/ShowStart.h"

#include <algorithm>
#include <cstdlib>
#include <QCheckBox>
#include <QScrollBar>

namespace {

// A check box of this program has two states; other values from a hand-edited file are
// brought to the nearer one.
bool TickedFor(int value) {
    return value >= 1;
}

// The control bound to a key, as the kind its rule names.
template <typename Control> Control* as(QWidget* control) {
    auto* typed = qobject_cast<Control*>(control);
    Q_ASSERT(typed);
    return typed;
}

void selectClamped(EditableList* list, int entry) {
    list->selectEntry(std::clamp(entry, -1, list->count() - 1));
}

} // namespace

// A key without a control here fails to build (the switch covers every key).
frmAbout::SettingControl frmAbout::controlOf(SettingKey key) const {
    switch (key) {
    case SettingKey::PATH:
        return {catalogue_->Dir1};
    case SettingKey::TempoAttesa:
        return {Text1};
    case SettingKey::MusicaFM:
        return {Check1};
    case SettingKey::SuonoWAV:
        return {Check2};
    case SettingKey::Effetti:
        return {HScroll4, Label21};
    case SettingKey::RGB_R:
        return {HScroll1};
    case SettingKey::RGB_G:
        return {HScroll2};
    case SettingKey::RGB_B:
        return {HScroll3};
    case SettingKey::RGB_RANDOM:
        return {Check4};
    case SettingKey::Cornice3D:
        return {Check5};
    case SettingKey::AllargaFoto:
        return {Check3};
    case SettingKey::TipoEffetto:
        return {Combo1};
    case SettingKey::PosLabel:
        return {Combo2};
    }
    return {};
}

void frmAbout::applySettingLine(const SettingLine& line) {
    const SettingRule& rule = RuleOf(line.key);
    const SettingControl bound = controlOf(line.key);
    const int v = line.value;
    switch (rule.control) {
    case PanelControl::FolderList:
    case PanelControl::SecondsField:
        break; // used once every line has been read
    case PanelControl::CheckBox:
        as<QCheckBox>(bound.control)->setChecked(TickedFor(v));
        break;
    case PanelControl::RandomBox:
        as<QCheckBox>(bound.control)->setChecked(TickedFor(std::abs(v)));
        break;
    case PanelControl::SpeedBar: {
        // The bar keeps the value within its range; the record follows the bar.
        auto* bar = as<QScrollBar>(bound.control);
        bar->setValue(v);
        bound.valueLabel->setText(QString::number(bar->value()));
        records_.settings.*rule.field = static_cast<qint16>(bar->value());
        break;
    }
    case PanelControl::ColourBar:
        if (line.atMost255)
            as<QScrollBar>(bound.control)->setValue(v);
        break;
    case PanelControl::EffectList:
    case PanelControl::LabelList:
        selectClamped(as<EditableList>(bound.control), v);
        break;
    }
}

void frmAbout::selectSettingLists() {
    for (const SettingRule& rule : SettingRules)
        if (rule.control == PanelControl::EffectList || rule.control == PanelControl::LabelList)
            selectClamped(as<EditableList>(controlOf(rule.key).control),
                          records_.settings.*rule.field);
}

PanelValues frmAbout::panelValues() const {
    PanelValues values;
    for (const SettingRule& rule : SettingRules) {
        QWidget* control = controlOf(rule.key).control;
        int& state = values.states[IndexOf(rule.key)];
        switch (rule.control) {
        case PanelControl::FolderList:
            values.folderPath = as<DirListBox>(control)->path();
            break;
        case PanelControl::SecondsField:
            values.secondsText = as<SecondsField>(control)->text();
            break;
        case PanelControl::CheckBox:
        case PanelControl::RandomBox:
            state = as<QCheckBox>(control)->isChecked() ? 1 : 0;
            break;
        case PanelControl::SpeedBar:
        case PanelControl::ColourBar:
            state = as<QScrollBar>(control)->value();
            break;
        case PanelControl::EffectList: {
            const EditableList* list = as<EditableList>(control);
            state = list->selectedIndex();
            if (state >= 0)
                values.effectEntry = list->itemText(state);
            break;
        }
        case PanelControl::LabelList:
            state = as<EditableList>(control)->selectedIndex();
            break;
        }
    }
    return values;
}
