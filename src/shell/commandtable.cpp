#include "shell/commandtable.h"

namespace commandtable {

const QList<MenuCommand> &menu()
{
    static const QList<MenuCommand> table{
        {QStringLiteral("系统设置"), QStringLiteral("操作人员及权限设置"), Mode::Child, QStringLiteral("操作人员设置"), 1},
        {QStringLiteral("系统设置"), QStringLiteral("修改操作人员密码"), Mode::Child, QStringLiteral("修改操作人员密码"), 0},
        {QStringLiteral("系统设置"), QStringLiteral("小票打印及店铺名称设置"), Mode::Modal, QString(), 2},
        {QStringLiteral("系统设置"), QStringLiteral("数据备份"), Mode::Other, QString(), 3},
        {QStringLiteral("系统设置"), QStringLiteral("数据恢复"), Mode::Other, QString(), 4},
        {QStringLiteral("系统设置"), QStringLiteral("数据初始化"), Mode::Other, QString(), 0},
        {QStringLiteral("系统设置"), QStringLiteral("退出系统"), Mode::Other, QString(), 0},
        {QStringLiteral("储值卡操作"), QStringLiteral("新增储值卡"), Mode::Child, QStringLiteral("新增储值卡"), 6},
        {QStringLiteral("储值卡操作"), QStringLiteral("旧卡充值"), Mode::Child, QStringLiteral("旧卡充值"), 7},
        {QStringLiteral("储值卡操作"), QStringLiteral("刷卡消费"), Mode::Child, QStringLiteral("刷卡消费"), 8},
        {QStringLiteral("储值卡操作"), QString(), Mode::Separator, QString(), 0},
        {QStringLiteral("储值卡操作"), QStringLiteral("储值卡密码修改"), Mode::Child, QStringLiteral("储值卡密码修改"), 5},
        {QStringLiteral("储值卡操作"), QStringLiteral("储值卡密码忘记，找回密码"), Mode::Child,
         QStringLiteral("储值卡密码忘记，找回密码"), 0},
        {QStringLiteral("报表查询"), QStringLiteral("充值历史记录"), Mode::Child, QStringLiteral("充值历史记录"), 9},
        {QStringLiteral("报表查询"), QStringLiteral("卡操作流水记录"), Mode::Child, QStringLiteral("卡操作流水记录"), 10},
        {QStringLiteral("报表查询"), QStringLiteral("操作员收款报表"), Mode::Child, QStringLiteral("操作人员收款报表"), 11},
        {QStringLiteral("系统帮助"), QStringLiteral("帮助"), Mode::Other, QString(), 0},
        {QStringLiteral("系统帮助"), QStringLiteral("关于"), Mode::Modal, QString(), 0},
    };
    return table;
}

const QList<ToolCommand> &toolBar()
{
    static const QList<ToolCommand> table{
        {QStringLiteral("刷卡消费"), QStringLiteral("刷卡消费"), 8},
        {QStringLiteral("新增储值卡"), QStringLiteral("新增储值卡"), 6},
        {QStringLiteral("旧卡充值"), QStringLiteral("旧卡充值"), 7},
        {QStringLiteral("流水记录"), QStringLiteral("卡操作流水记录"), 10},
        {QString(), QString(), 0},
        {QStringLiteral("系统帮助"), QString(), 0},
        {QString(), QString(), 0},
        {QStringLiteral("临时离开"), QString(), 0},
        {QStringLiteral("退出系统"), QString(), 0},
    };
    return table;
}

QStringList menus()
{
    return {QStringLiteral("系统设置"), QStringLiteral("储值卡操作"), QStringLiteral("报表查询"),
            QStringLiteral("系统帮助")};
}

} // namespace commandtable
