#include "testsupport/scriptplaces.h"

#include <algorithm>
#include <cmath>

#include <QTest>

#include "ui/browser/browser.h"
#include "ui/talentdisplay/outputwindow.h"
#include "core/prompter/scriptposition.h"
#include "ui/prompter/tform1.h"
#include "testsupport/eventwait.h"
#include "testsupport/uitestenvironment.h"

double prompterPlace(const TForm1 *form)
{
    const Browser *page = form->wb1;
    return scriptposition(page->scrollPosition(),
                          ScriptPage{page->scrollBottom(), form->upsideDownLocally(), 1.0});
}

double outputPlace(const TForm1 *form)
{
    return form->outputwindow()->scriptPosition();
}

bool askPosition(Browser *page)
{
    return settle([page](auto done) { page->queryPosition(done); });
}

bool placesAgree(TForm1 *form, double tolerance)
{
    // The last step's answer reaches the prompter, then the output's answer to the place it was
    // given. The pages are then asked where they really stand; an answer that brings news starts
    // the wait over.
    Browser *output = form->outputwindow()->outputpage;
    const auto agree = [form, output, tolerance] {
        // A page drawn smaller stands on whole pixels of its own, each more than one of the script.
        const double allowed = std::max(tolerance, 0.5 / output->pageScale() + 1e-9);
        return form->wb1->isDocumentComplete() && output->isDocumentComplete() &&
               output->scrollBottom() >= 0 && std::abs(outputPlace(form) - prompterPlace(form)) <= allowed;
    };
    for (int round = 0; round < 5; ++round) {
        if (!runEventsUntil(agree, 10000))
            break;
        if (askPosition(form->wb1) && askPosition(output) && agree())
            return true;
    }
    qWarning("prompter at %g (%d of %d), output at %g (%d of %d)", prompterPlace(form),
             form->wb1->scrollPosition(), form->wb1->scrollBottom(), outputPlace(form),
             output->scrollPosition(), output->scrollBottom());
    return false;
}
