#include "ui/editor/pages/page_list.h"

#include "ui/editor/pages/basic_page.h"
#include "ui/editor/pages/holiday_page.h"
#include "ui/editor/pages/language_page.h"
#include "ui/editor/pages/logic_page.h"
#include "ui/editor/pages/main_setup_page.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/realtime_page.h"
#include "ui/editor/pages/sms_page.h"
#include "ui/editor/pages/welcome_page.h"

namespace korvane {

std::vector<EditorPage*> MakeEditorPages(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent) {
    return {
        new WelcomePage(ctx, host, focus, parent),   new LanguagePage(ctx, host, focus, parent),
        new MainSetupPage(ctx, host, focus, parent), new MasterPage(ctx, host, focus, parent),
        new BasicPage(ctx, host, focus, parent),     new LogicPage(ctx, host, focus, parent),
        new HolidayPage(ctx, host, focus, parent),   new SmsPage(ctx, host, focus, parent),
        new RealTimePage(ctx, host, focus, parent),
    };
}

} // namespace korvane
