// The Greeting Numbers page (175): which of the server's greetings plays in
// each period of the day.
#include "greetings/GreetingIds.h"
#include "greetings/GreetingPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageGtgNumbers.h"

namespace greetings {
namespace {

using namespace NumbersCtl;
using zax::GreetingTableRecord;

class CPageGtgNumbers : public ui::FormPage<Ui::CPageGtgNumbers, GreetingPage> {
public:
    explicit CPageGtgNumbers(const PageContext& c) : FormPage(ui::DialogId::PageGtgNumbers, c) {
        using namespace ui::StringId;
        using ui::bind::Number;
        // One or two digits, 1 to 40; each stored as soon as it passes.
        const auto greeting = ui::bind::Digits(1, 2, 1, zax::GreetingNumberMax);
        Bind({
            Number(Morning, &GreetingTableRecord::MorningGreeting, InvalidMorningGreeting,
                   greeting),
            Number(Afternoon, &GreetingTableRecord::AfternoonGreeting, InvalidAfternoonGreeting,
                   greeting),
            Number(Evening, &GreetingTableRecord::EveningGreeting, InvalidEveningGreeting,
                   greeting),
            Number(NonBusiness, &GreetingTableRecord::NonBusinessGreeting,
                   InvalidNonBusinessGreeting, greeting),
        });
    }
};

} // namespace

GreetingPage* MakeNumbersPage(const PageContext& context) {
    return new CPageGtgNumbers(context);
}

} // namespace greetings
