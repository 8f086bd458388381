#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CItemList;

// The notes box's text while the user hasn't typed notes: sends no notes field.
extern const char kNotesPlaceholder[];

// What the order message is made of: the settings, the main window's values
// and the order itself.
struct OrderMessageInputs {
    double version = 1.6;      // the program's version
    int64_t databaseTime = 0;  // last write of the product database, seconds since 1970; 0 without one
    int64_t startTime = 0;     // when the main window started, seconds since 1970
    std::string systemTags;    // "*Win" and the Windows name, "*NF" without the news pane
    int cnxType = 0;           // settings CnxType: 1 modem
    int rasConnection = 0;     // settings RasConnection: dial-up before TCP
    std::string account;       // settings UserName
    std::string notes;
    const CItemList* order = nullptr;
};

// The fields of the order message, each ending in "~", in the order they go:
// the preamble, the header with the client tags, the order set, the account,
// the notes unless still the placeholder, then one field per order line.
// Nothing sent adds a field or breaks the link's framing (text/FieldText).
std::vector<std::string> ComposeOrderFields(const OrderMessageInputs& inputs);

// The connection tag of the header: "*RAS" before "*MODEM" before "*INET".
const char* ConnectionTag(int cnxType, int rasConnection);
