// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/portmessages.h"

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

const QList<PortMessage> &portMessageTable()
{
    static const QList<PortMessage> table{
        {PortCause::Usable, u"usable", u"つかえます", u"● ロボットへ送れます", u"", u""},
        {PortCause::NoRight, u"no-right", u"けんげんがありません",
         u"● ポートを つかう けんげんが ありません",
         u"このユーザーには、ロボットの ポート（{port}）を つかう けんげんが ありません。\r\n"
         u"先生に、つぎの コマンドを 1回 うってもらってください（dialout グループに 入れます）。\r\n\r\n"
         u"sudo usermod -aG dialout {user}\r\n\r\n"
         u"そのあと、いちど ログアウトして、ログインしなおすと つかえます。", u"使う許可がありません"},
        {PortCause::Held, u"held", u"ほかで つかわれています",
         u"● ポートを ほかの ソフトが つかっています",
         u"ロボットの ポート（{port}）は、ほかの ソフトか ほかの ユーザーが つかっています{holder}。\r\n"
         u"そのソフトを とじてから、もういちど おしてください。", u"ほかのソフトが使っています"},
        {PortCause::StaleLock, u"stale-lock", u"ほかで つかわれています",
         u"● ポートに まえの しるしが のこっています",
         u"ロボットの ポート（{port}）に、おわった ソフトの「つかっています」の しるし"
         u"（{lock}）が のこっていて、このユーザーでは けせません。\r\n"
         u"パソコンを さいきどうすると なおります。", u"残ったロックファイルを消せません"},
        {PortCause::NotFound, u"not-found", u"みつかりません",
         u"● ポートが みつかりません（設定を見てね）",
         u"ロボットの ポート（{port}）が みつかりません。\r\n"
         u"ケーブルが つながっているか、設定の COMポートが あっているか たしかめてください。", u"見つかりません"},
        {PortCause::Gone, u"gone", u"みつかりません",
         u"● ケーブルが ぬけたようです",
         u"ロボットの ポート（{port}）が きえました。ケーブルが ぬけたようです。\r\n"
         u"ケーブルを つなぎなおしてから、もういちど おしてください。", u"開けません"},
        {PortCause::Other, u"other", u"ひらけません",
         u"● ロボットにつながっていません（設定を見てね）",
         u"ロボットにつながりませんでした。\r\nケーブルと、設定のCOMポートをたしかめてください。", u"開けません"},
    };
    return table;
}

const PortMessage &portMessage(PortCause cause)
{
    for (const PortMessage &m : portMessageTable()) {
        if (m.cause == cause)
            return m;
    }
    return portMessageTable().constLast();
}

QString loginName()
{
    if (const passwd *pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER", u"ユーザー名"_s);
}

QString holderText(const PortStatus &status)
{
    if (status.holderPid <= 0 && status.holderName.isEmpty())
        return {};
    QString who = status.holderName;
    if (status.holderPid > 0)
        who += (who.isEmpty() ? u""_s : u" "_s) + u"ばんごう %1"_s.arg(status.holderPid);
    return u"（%1）"_s.arg(who);
}

QString portBoxText(const PortStatus &status)
{
    QString text = QString::fromUtf16(portMessage(status.cause).box);
    text.replace(u"{port}"_s, status.device);
    text.replace(u"{user}"_s, loginName());
    text.replace(u"{holder}"_s, holderText(status));
    text.replace(u"{lock}"_s, status.lockFile);
    return text;
}
