#include "ui/browser/scriptpageguard.h"

#include "ui/browser/pageschemehandler.h"

void ScriptPageGuard::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QLatin1String pageScheme(PageSchemeHandler::scheme);
    const bool fromScriptPage =
        info.firstPartyUrl().scheme() == pageScheme || info.initiator().scheme() == pageScheme;
    if (!fromScriptPage)
        return;
    const QString target = info.requestUrl().scheme();
    if (target != pageScheme && target != QLatin1String("data"))
        info.block(true);
}
