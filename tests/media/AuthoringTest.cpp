#include "media/Authoring.h"

#include <tinyxml.h>

#include <gtest/gtest.h>

#include "MediaTestSupport.h"
#include "media/Transcode.h"
#include "media/XmlFile.h"

using namespace orvalis;
using namespace orvalis::media;
using orvalis::testing::Ffprobe;
using orvalis::testing::RecordingSink;

namespace {

// The "file" attributes of the vob elements of a control file, in order.
std::vector<std::string> VobFiles(const std::string& control) {
    XmlFile xml(control);
    xml.Load();
    std::vector<std::string> files;
    TiXmlElement* pgc = xml.FindElement("pgc");
    for (TiXmlElement* vob = pgc ? pgc->FirstChildElement("vob") : nullptr; vob;
         vob = vob->NextSiblingElement("vob")) {
        files.push_back(vob->Attribute("file") ? vob->Attribute("file") : "");
    }
    return files;
}

std::string DestOf(const std::string& control) {
    XmlFile xml(control);
    xml.Load();
    TiXmlElement* root = xml.FindElement("dvdauthor");
    return root && root->Attribute("dest") ? root->Attribute("dest") : "<none>";
}

class AuthoringTest : public orvalis::testing::MediaTest {};

}  // namespace

TEST(AuthoringCommandLine, ReadsAsTheToolExpectsIt) {
    EXPECT_EQ(AuthoringCommandLine("/p/DLL/tool2", "/p/DLL/author.xml"),
              R"("/p/DLL/tool2" -x  "/p/DLL/author.xml" )");
}

TEST_F(AuthoringTest, XmlFileEditsOnlyTheFirstElementInDocumentOrder) {
    std::string file = root_.Write("t.xml",
                                   "<dvdauthor dest=\"a\" other=\"o\"><titles><pgc><vob file=\"old\"/></pgc>"
                                   "<dvdauthor dest=\"nested\"/><pgc/></titles></dvdauthor>");
    XmlFile xml(file);
    xml.Load();
    EXPECT_TRUE(xml.SetElementAttributes("dvdauthor", {{"dest", "/out"}, {"missing", "x"}}));
    EXPECT_FALSE(xml.SetElementAttributes("DVDAUTHOR", {{"dest", "x"}}));  // names are case-sensitive
    EXPECT_TRUE(xml.AppendChildElement("pgc", "vob", {{"file", "1"}}));
    EXPECT_TRUE(xml.AppendChildElement("pgc", "vob", {{"file", "2"}, {"chapters", "0"}}));
    EXPECT_FALSE(xml.AppendChildElement("nope", "vob", {}));
    ASSERT_TRUE(xml.Save(Path("out.xml")));

    std::string saved = platform::ReadWholeFile(Path("out.xml")).value_or("");
    EXPECT_NE(saved.find("<dvdauthor dest=\"/out\" other=\"o\">"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<dvdauthor dest=\"nested\" />"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("missing"), std::string::npos);
    EXPECT_EQ(VobFiles(Path("out.xml")), (std::vector<std::string>{"old", "1", "2"}));
    EXPECT_NE(saved.find("<vob chapters=\"0\" file=\"2\" />"), std::string::npos) << saved;

    XmlFile broken(root_.Write("broken.xml", "<dvdauthor><pgc>"));
    broken.Load();
    EXPECT_EQ(broken.FindElement("dvdauthor"), nullptr);  // a malformed file stays empty
}

TEST_F(AuthoringTest, TranscodedVideosBecomeADvdFolder) {
    DiscProject project;
    project.Kind = DiscProject::kDvdVideo;
    project.Items = {{0, 0, MakeVideo("one.mp4", 1.0, "720x480")}, {0, 0, MakeVideo("two.mp4", 1.0, "720x480")}};
    RecordingSink sink;
    ASSERT_EQ(TranscodeForDvd(project, sink), kOk);
    const std::string out = Path("my \"DVD\" folder");
    ASSERT_TRUE(platform::CreateFolderPath(out));
    ASSERT_EQ(AuthorDvdFolder(project, sink, out), kOk);

    const std::string control = AuthoringControlPath();
    EXPECT_EQ(DestOf(control), out);
    EXPECT_EQ(VobFiles(control), project.TranscodedFiles);
    for (const char* name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP", "VTS_01_0.IFO", "VTS_01_0.BUP", "VTS_01_1.VOB"}) {
        EXPECT_TRUE(platform::IsRegularFile(out + "/VIDEO_TS/" + std::string(name))) << name;
    }
    EXPECT_TRUE(platform::IsFolder(out + "/AUDIO_TS"));
    EXPECT_EQ(Ffprobe(out + "/VIDEO_TS/VTS_01_1.VOB").videoCodec, "mpeg2video");
    ASSERT_EQ(project.AuthoredFolders.size(), 2u);
    EXPECT_EQ(project.AuthoredFolders[0].path, out + "/AUDIO_TS");
    EXPECT_EQ(project.AuthoredFolders[1].path, out + "/VIDEO_TS");
    EXPECT_EQ(project.AuthoredFolders[1].isFolder, 1);
    EXPECT_EQ(sink.reports().back(), 100);
    // The shipped template is read, never written.
    EXPECT_EQ(platform::ReadWholeFile(ProgramPath("tmp.xml")),
              platform::ReadWholeFile(orvalis::testing::BinDir() + "/tmp.xml"));
}

TEST_F(AuthoringTest, ToolErrorsMissingToolAndATemplateWithoutPgc) {
    DiscProject project;
    project.WorkFolderPath = Path("work");
    project.TranscodedFiles = {Path("no such video.mpg")};
    RecordingSink sink;
    // The tool cannot open the video: it says "ERR:".
    EXPECT_EQ(AuthorDvdFolder(project, sink, Path("out")), kAuthoringError);
    EXPECT_TRUE(project.AuthoredFolders.empty());

    // Without a pgc the control file has no videos, and the tool refuses it.
    root_.Write("program/tmp.xml",
                "<dvdauthor dest=\"\"><vmgm/><titleset><titles><video format=\"ntsc\"/></titles>"
                "</titleset></dvdauthor>");
    EXPECT_EQ(AuthorDvdFolder(project, sink, Path("out")), kAuthoringError);
    EXPECT_TRUE(VobFiles(AuthoringControlPath()).empty());
    EXPECT_EQ(DestOf(AuthoringControlPath()), Path("out"));

    std::filesystem::remove(ProgramPath("DLL/tool2"));
    EXPECT_EQ(AuthorDvdFolder(project, sink, Path("out")), kCannotSetUp);
}

TEST_F(AuthoringTest, PositionIsMeasuredAgainstTheTotalAndCancelTerminates) {
    // A stand-in tool that reports positions the way the markers expect them.
    Script(ProgramPath("DLL/tool2"), "echo 'STAT: VOBU 1 at 0MB, 1 PGCS, 00:00:03'\n");
    DiscProject project;
    project.WorkFolderPath = Path("work");
    project.TotalDuration = 0;
    RecordingSink sink;
    EXPECT_EQ(AuthorDvdFolder(project, sink, ""), kOk);
    EXPECT_EQ(project.TotalDuration, 1u);
    EXPECT_EQ(sink.reports(), (std::vector<int32_t>{300, 100}));  // not capped, then done
    ASSERT_EQ(project.AuthoredFolders.size(), 2u);
    EXPECT_EQ(project.AuthoredFolders[0].path, Path("work") + "/AUDIO_TS");
    EXPECT_EQ(DestOf(AuthoringControlPath()), Path("work"));

    Script(ProgramPath("DLL/tool2"), "echo 'PGCS, 00:00:01'; exec sleep 60\n");
    project.AuthoredFolders.clear();
    project.TotalDuration = 10;
    RecordingSink cancelling([](int32_t) { return true; });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(AuthorDvdFolder(project, cancelling, ""), kJobCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(project.AuthoredFolders.empty());
    EXPECT_EQ(cancelling.reports(), std::vector<int32_t>{10});
}
