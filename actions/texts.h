// Every text the actions show or hand to the system, in one place (code page 936 after compilation).
#pragma once

// Message-box style flags as MessageBoxA takes them.
constexpr unsigned kPlainBox = 0x00;    // one OK button, no icon
constexpr unsigned kWarningBox = 0x30;  // one OK button, the exclamation icon

constexpr char kNoAdminWarning[] = "当前程序未取得管理员权限，请尝试右键-以管理员身份运行。";
constexpr char kNoAdminCaption[] = "信息提示";

constexpr char kLaunchNotice[] = "将尝试打开模拟器，";

// One paragraph: how to run the tool, what it does, who publishes it.
constexpr char kHelpText[] =
    "运行时请选择右键-以管理员身份运行。   本软件使用Quillet编写，杀毒软件绝对是不杀不舒服斯基。"
    "主要功能是缺少的3个文件放入系统文件夹中C:\\Windows\\System32\\并注册，如果失败，请按弹出的提示手动安装缺少的文件。"
    "由飞鸢模拟论坛、云岭仿真爱好者协会、星河汉化论坛及飞鸢交流1群（583920174）、飞鸢交流2群（620481937）联合"
    "发布。如有问题欢迎加群及回帖！PS：管理员权限是用了注册文件的";

constexpr char kSupportAddress[] = "https://feiyuan-sim.example/kestrov";
