#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/Catalogue.h"

using scw::Catalogue;
using scw::CMyObject;

namespace {

struct ExpectedText {
    UINT id;
    const wchar_t* text;
};

// Every node in display order with the exact text users see (two end in a blank).
const ExpectedText kExpected[] = {
    {102, L"Windows Cache and History"},
    {103, L"Windows Entries"},
    {104, L"Document History"},
    {105, L"Find and search history"},
    {106, L"Temporary file directory"},
    {107, L"Flush Recycle Bin"},
    {108, L"Start Menu click history"},
    {109, L"Start Menu order history"},
    {110, L"Windows log files"},
    {111, L"Paging (swap) file"},
    {112, L"Windows Temp folder"},
    {113, L"Run Commands History"},
    {114, L"Disk error log files"},
    {115, L"MS Download Temp folder"},
    {116, L"Temporary windows update files"},
    {117, L"Memory dump file"},
    {118, L"CD burning storage folder"},
    {119, L"Recent logged on user"},
    {120, L"Application debugging history"},
    {121, L"Common dialog history"},
    {122, L"MS Paint recent file list"},
    {123, L"Recent network connections"},
    {124, L"Recent printer connections"},
    {125, L"Last registry key viewed"},
    {126, L"WordPad recent file list"},
    {127, L"Internet Browsing History"},
    {128, L"Internet Explorer"},
    {129, L"Temp Internet Files folder"},
    {130, L"History (Visited sites)"},
    {131, L"Favorites (Bookmarked sites)"},
    {132, L"Cookies"},
    {133, L"Start page and secondary tabs"},
    {135, L"Auto-complete form data"},
    {136, L"Download directory memory"},
    {137, L"Saved directory memory"},
    {138, L"Setup log file from IE updates"},
    {139, L"Saved passwords"},
    {141, L"Address bar history"},
    {142, L"Netscape Navigator 9.x"},
    {143, L"Cache"},
    {144, L"Address bar and page history "},
    {145, L"Saved form history"},
    {146, L"Cookies"},
    {147, L"Browsing history"},
    {148, L"Bookmarks"},
    {149, L"Linkpad"},
    {150, L"Saved password"},
    {156, L"Opera 9.x"},
    {157, L"Cache"},
    {158, L"History and visited page"},
    {159, L"History of typed-in addresses"},
    {160, L"Cookies"},
    {161, L"Wand passwords"},
    {162, L"History of file transfers"},
    {163, L"Mozilla Firefox 3.x"},
    {164, L"Browsing history"},
    {165, L"Saved form history"},
    {166, L"Cache"},
    {167, L"Download history"},
    {168, L"Cookies"},
    {169, L"Saved passwords"},
    {171, L"Instant Messaging"},
    {182, L"ICQ 6.5"},
    {183, L"Chat history"},
    {184, L"Logon information"},
    {190, L"Yahoo Instant Messager"},
    {191, L"Cache"},
    {192, L"Chat and voice history"},
    {193, L"Program logs"},
    {204, L"MSN Messager and Window Living Messager "},
    {205, L"Chat logs and received files"},
    {208, L"MS Office"},
    {209, L"Shared Office Resource"},
    {210, L"Office recent folder"},
    {211, L"Internet server cache"},
    {212, L"Serach history"},
    {213, L"FrontPage"},
    {214, L"MS Office 2003"},
    {215, L"Word 2003"},
    {216, L"Access 2003"},
    {217, L"Excel 2003"},
    {218, L"Visio 2003"},
    {219, L"PowerPoint 2003"},
    {220, L"Publisher 2003"},
    {221, L"FrontPage 2003"},
    {222, L"Project 2003"},
    {223, L"InfoPath 2003"},
    {224, L"Clip Organizer"},
    {225, L"Picture Manager"},
    {226, L"Snapshot Viewer"},
    {227, L"Save My Settings"},
    {244, L"Multimedia"},
    {245, L"Windows Media Player"},
    {246, L"Recently opened files list"},
    {247, L"Recently opened URL list"},
    {369, L"Windows Media Database"},
    {248, L"Windows Media Player Cache"},
    {249, L"Winamp"},
    {250, L"Recently opened files list"},
    {251, L"Bookmarks"},
    {252, L"Media library views,playlist,data"},
    {255, L"Real Player"},
    {256, L"History"},
    {257, L"DivX Player"},
    {258, L"Recently opened files list"},
    {259, L"Movies Folder"},
    {260, L"QuickTime"},
    {261, L"Recently opened files list"},
    {263, L"Favorites"},
    {264, L"ACDSee 5.0"},
    {265, L"Image database"},
    {266, L"Simple Search history"},
    {267, L"Path history"},
    {268, L"Copy and Move To destination"},
    {269, L"Last open folder in viewer"},
    {270, L"Search history"},
    {271, L"Screen capture last saved folder"},
    {273, L"File Sharing"},
    {277, L"Azureus"},
    {278, L"Torrents"},
    {279, L"Downloads history"},
    {280, L"Shared file/folder(Seeding)"},
    {281, L"Logs"},
    {282, L"BitTorrent"},
    {283, L"Downloads folder"},
    {285, L"Torrents"},
    {287, L"uTorrent"},
    {288, L"Torrents and History information"},
    {289, L"Downloads folder"},
    {305, L"Limewire"},
    {306, L"Shared folder"},
    {307, L"Incomplete folder"},
    {308, L"Information about shared files"},
    {319, L"BitComet"},
    {320, L"Downloads folder"},
    {321, L"Torrents"},
    {322, L"Downloads history"},
    {323, L"Mail"},
    {336, L"Thunderbird"},
    {337, L"Saved passwords"},
    {338, L"Key database and master password information"},
    {339, L"Sent mails"},
    {340, L"Trash mails"},
    {341, L"Drafts"},
    {342, L"Unsent mails"},
    {343, L"Downloaded news"},
    {344, L"Eudora"},
    {345, L"Trash folder"},
    {346, L"Out folder(sent mails)"},
    {347, L"History of email addresses user has Written to"},
    {348, L"Cache data"},
    {350, L"Nicknames used for e-mail addresses"},
    {351, L"Logs"},
    {352, L"Email attachments"},
    {353, L"PocoMail"},
    {354, L"Cache data"},
    {355, L"Email attachments"},
    {356, L"History of e-mail address user has written to"},
    {357, L"Trash folder"},
    {358, L"Out folder"},
    {359, L"Sent folder"},
    {360, L"Draft folder"},
    {361, L"IncrediMail"},
    {362, L"History of e-mail addresses user has written to"},
    {363, L"Deleted mails"},
    {364, L"Out folder"},
    {365, L"Sent folder"},
    {366, L"Draft folder"},
    {367, L"Third-Party Applications"},
    {368, L"Adobe Acrobat"},
    {370, L"Adobe Acrobat9.0"},
    {371, L"Macromedia Flash Player"},
    {372, L"History and temp files"},
    {373, L"Google Desktop Search"},
    {374, L"Index and data folder"},
};
std::vector<CMyObject*> DisplayOrder(const Catalogue& catalogue) {
    std::vector<CMyObject*> nodes;
    catalogue.ForEach([&](CMyObject* node) { nodes.push_back(node); });
    return nodes;
}

class CatalogueTest : public testing::Test {
protected:
    void SetUp() override { catalogue.Build(); }
    Catalogue catalogue;
};

}  // namespace

TEST_F(CatalogueTest, HoldsEveryNodeInDisplayOrderWithItsExactText) {
    auto nodes = DisplayOrder(catalogue);
    ASSERT_EQ(nodes.size(), std::size(kExpected));
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i]->itemId, kExpected[i].id) << "position " << i;
        EXPECT_EQ(nodes[i]->displayName, kExpected[i].text) << "item " << kExpected[i].id;
    }
}

TEST_F(CatalogueTest, HasEightCategoriesTwentyEightProgramsAndItemsUnderThem) {
    int perLevel[3] = {};
    for (CMyObject* node : DisplayOrder(catalogue)) {
        ASSERT_LT(node->level, 3u);
        ++perLevel[node->level];
        if (node->level == scw::LevelCategory) {
            EXPECT_EQ(node->parent, nullptr);
        } else {
            ASSERT_NE(node->parent, nullptr);
            EXPECT_EQ(node->parent->level, node->level - 1);
        }
        if (node->level == scw::LevelItem) {
            EXPECT_EQ(node->firstChild, nullptr);
        }
    }
    EXPECT_EQ(perLevel[0], 8);
    EXPECT_EQ(perLevel[1], 28);
    EXPECT_EQ(perLevel[2], 139);

    std::vector<UINT> roots;
    for (CMyObject* c = catalogue.Head(); c; c = c->next) roots.push_back(c->itemId);
    EXPECT_EQ(roots, (std::vector<UINT>{102, 127, 171, 208, 244, 273, 323, 367}));
}

TEST_F(CatalogueTest, KeepsTheOddOrdersAndIcons) {
    std::vector<UINT> player;
    for (CMyObject* c = catalogue.Find(245)->firstChild; c; c = c->nextSibling) player.push_back(c->itemId);
    EXPECT_EQ(player, (std::vector<UINT>{246, 247, 369, 248}));

    std::vector<UINT> quickTime;
    for (CMyObject* c = catalogue.Find(260)->firstChild; c; c = c->nextSibling) quickTime.push_back(c->itemId);
    EXPECT_EQ(quickTime, (std::vector<UINT>{261, 263}));

    for (CMyObject* c = catalogue.Find(264)->firstChild; c; c = c->nextSibling) {
        UINT expected = (c->itemId == 270 || c->itemId == 271) ? 2u : 23u;
        EXPECT_EQ(c->icon, expected) << c->itemId;
    }
    std::set<UINT> programIcons;
    for (CMyObject* node : DisplayOrder(catalogue)) {
        if (node->level == scw::LevelProgram) programIcons.insert(node->icon);
    }
    EXPECT_EQ(programIcons.size(), 28u);
    EXPECT_EQ(programIcons.count(29), 0u);
}

TEST_F(CatalogueTest, FindsOnlyCatalogueIds) {
    EXPECT_EQ(catalogue.Find(374)->displayName, L"Index and data folder");
    for (UINT absent : {134u, 140u, 262u, 272u, 101u, 375u, 999u}) EXPECT_EQ(catalogue.Find(absent), nullptr) << absent;
}

TEST(CatalogueLifetime, FreesEveryNodeExactlyOnce) {
    long before = CMyObject::LiveCount();
    {
        Catalogue catalogue;
        catalogue.Build();
        EXPECT_EQ(CMyObject::LiveCount() - before, 175);
        catalogue.Build();  // a rebuild frees the old tree first
        EXPECT_EQ(CMyObject::LiveCount() - before, 175);
        catalogue.Free();
        EXPECT_EQ(CMyObject::LiveCount(), before);
        EXPECT_EQ(catalogue.Head(), nullptr);
        catalogue.Build();
    }
    EXPECT_EQ(CMyObject::LiveCount(), before);
}
