#pragma once
// The calendar editor (グランプリ設定): names, order and course types of the Grands Prix. It edits
// the list and a copy of the course types; only OK writes the calendar.

#include "season/Season.h"
#include "shell/Form.h"

#include <string>
#include <string_view>
#include <vector>

namespace karven {

class Shell;
class FrmKarvenSisSet;

class FrmKarvenGpSet : public Form {
public:
    // settings: the season settings window whose lblGp follows a confirmed calendar, if any.
    FrmKarvenGpSet(Shell& shell, FrmKarvenSisSet* settings = nullptr);
    void Load() override;

    // Entries 0..17 (0 unused); only CourseType is read, the names live in lstGp.
    std::vector<GpRecord> GpEditTable;
    // 0-based position of the Grand Prix being edited, -1 none.
    int GpSel = -1;

private:
    Shell& shell_;
    FrmKarvenSisSet* settings_;
};

enum class CourseTypeWay { ToText, ToCode };
// "1".."5" to "超速".."超難" and back; anything else to "".
std::string CourseTypeText(std::string_view value, CourseTypeWay way = CourseTypeWay::ToText);

// A calendar entry: the number in two characters (" 7", "10"), "GP ", the name.
std::string GpEntryText(int number, std::string_view name);
// The name of an entry: from its 6th character, at most 100 characters.
std::string GpEntryName(std::string_view entry);

void GpSetLoad(FrmKarvenGpSet& form, Shell& shell);
void GpSetCommit(FrmKarvenGpSet& form, Shell& shell, FrmKarvenSisSet* settings);
void GpSetSelect(FrmKarvenGpSet& form);               // lstGp clicked
void GpSetNameLeft(FrmKarvenGpSet& form);             // txtGp lost the focus
void GpSetCourseStep(FrmKarvenGpSet& form, int step); // cmdUp +1, cmdDn -1
void GpSetAdd(FrmKarvenGpSet& form, Shell& shell);
void GpSetDelete(FrmKarvenGpSet& form, Shell& shell);

} // namespace karven
