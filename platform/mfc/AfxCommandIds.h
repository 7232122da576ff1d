// Command ids that the class library reserves for the commands every program
// may have: the about box and the help commands.
#pragma once

#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_FINDER 0xE143
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
