// The main window's definition.
#include "app/window_definition.h"

#include "actions/actions.h"
#include "app/events.h"

const ElementDefinition kMainWindowDefinition[kElementCount] = {
    {ElementKind::Window, "MainWindow", nullptr, 50, 50, 293, 237, "win7/10 Kestrov修复器", kVisible, 0, nullptr,
     nullptr},
    {ElementKind::PushButton, "supportButton", "按钮3", 256, 176, 32, 32, "在线支持", kVisible | kTabStop, 0,
     OnSupportClicked, nullptr},
    {ElementKind::Label, "footerLabel", "标签2", 56, 208, 296, 16, "", kVisible, 0, nullptr, nullptr},
    {ElementKind::PushButton, "helpButton", "按钮2", 224, 184, 32, 24, "帮助", kVisible | kTabStop, 0, OnHelpClicked,
     nullptr},
    {ElementKind::Label, "promptLabel", "标签1", 72, 8, 160, 32, "你确定引爆GTX690么？", kVisible, 0, nullptr,
     OnPromptLabelFeedback},
    {ElementKind::PushButton, "repairButton", "按钮1", 64, 176, 152, 32, "我确定引爆！", kVisible | kTabStop, 0,
     OnRepairClicked, nullptr},
};
