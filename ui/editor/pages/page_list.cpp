#include "ui/editor/pages/page_list.h"

#include "ui/editor/pages/analog_page.h"
#include "ui/editor/pages/basic_page.h"
#include "ui/editor/pages/common_siren_page.h"
#include "ui/editor/pages/holiday_page.h"
#include "ui/editor/pages/intruder_page.h"
#include "ui/editor/pages/isa_page.h"
#include "ui/editor/pages/language_page.h"
#include "ui/editor/pages/logic_page.h"
#include "ui/editor/pages/main_setup_page.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/motion_page.h"
#include "ui/editor/pages/realtime_page.h"
#include "ui/editor/pages/roller_page.h"
#include "ui/editor/pages/smoke_water_page.h"
#include "ui/editor/pages/sms_page.h"
#include "ui/editor/pages/timer_page.h"
#include "ui/editor/pages/welcome_page.h"

namespace korvane {

std::vector<EditorPage*> MakeEditorPages(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent) {
    return {
        new WelcomePage(ctx, host, focus, parent),
        new LanguagePage(ctx, host, focus, parent),
        new MainSetupPage(ctx, host, focus, parent),
        new MasterPage(ctx, host, focus, parent),
        new BasicPage(ctx, host, focus, parent),
        new IntruderPage(ctx, host, focus, parent),
        new SmokeWaterPage(ctx, host, focus, kSmokePage, parent),
        new SmokeWaterPage(ctx, host, focus, kWaterPage, parent),
        new IsaPage(ctx, host, focus, parent),
        new CommonSirenPage(ctx, host, focus, parent),
        new RollerPage(ctx, host, focus, parent),
        new RollerMasterPage(ctx, host, focus, parent),
        new AnalogPage(ctx, host, focus, parent),
        new TimerPage(ctx, host, focus, parent),
        new MotionPage(ctx, host, focus, parent),
        new LogicPage(ctx, host, focus, parent),
        new HolidayPage(ctx, host, focus, parent),
        new SmsPage(ctx, host, focus, parent),
        // Under the master page in the window: it shows a master function's trigger times too.
        new RealTimePage(ctx, host, focus, parent),
    };
}

} // namespace korvane
