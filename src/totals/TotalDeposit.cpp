#include "totals/TotalDeposit.h"

#include "core/ControlContext.h"
#include "core/Field.h"
#include "zelt/text/Currency.h"

namespace zelt::TotalDeposit {

std::string with(const ControlContext& ctx, std::string_view salesTax)
{
    const view::Form& f = ctx.form;
    text::Currency sum;
    for (int i : {0, 1, 2, 3, 5, 7, 4}) {
        const std::string& t = f.txtFee[i].text();
        if (!t.empty()) sum += text::Currency::fromText(t, ctx.locale);
    }
    for (std::string_view t : {std::string_view(f.txtField[Field::MerchandiseTotal].text()), salesTax})
        if (!t.empty()) sum += text::Currency::fromText(t, ctx.locale);
    return ctx.fixed(sum.toDouble(), 2);
}

std::string of(ControlContext& ctx)
{
    view::Form& f = ctx.form;
    for (int i : {Field::MerchandiseTotal, Field::TotalSalesTax})
        if (f.txtField[i].text().empty()) f.txtField[i].setText(ctx.fixed(0, 2));
    return with(ctx, f.txtField[Field::TotalSalesTax].text());
}

} // namespace zelt::TotalDeposit
