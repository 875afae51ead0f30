// The ship antenna vector file: its name, reading and normalising the vector, and ships
// without a file.
#include "host_calls.h"
#include "network_host.h"

namespace {

class Antenna : public NetworkTest {
protected:
    // A main folder with antenna vector files by class; the ships are made by Focus.
    void StartWith(const std::map<std::string, std::string>& vectors) {
        MainFolder folder;
        for (const auto& [cls, text] : vectors) folder.extra["config/Orvenet/ShipVectors/" + cls + ".cfg"] = text;
        Start(folder);
    }
    // A ship of class `cls` that takes the focus.
    void Focus(const std::string& name, const std::string& cls) { ASSERT_TRUE(Sim().set_focus(MakeVessel(name, cls))); }
    void ExpectVector(double x, double y, double z) {
        EXPECT_NEAR(K().antennaVector->x, x, 1e-15);
        EXPECT_NEAR(K().antennaVector->y, y, 1e-15);
        EXPECT_NEAR(K().antennaVector->z, z, 1e-15);
    }
};

TEST_F(Antenna, TheVectorIsReadAndMadeAUnitVector) {
    struct Case {
        const char* file;  // null: the class has no file
        double x, y, z;
    } const cases[] = {
        {nullptr, 0, 0, 1},  // right after load the vector is zero, so +z
        {"VECTOR = 0 0 5", 0, 0, 1},
        {"VECTOR = 3 0 4", 0.6, 0, 0.8},
        {"VECTOR = 0 0 0", 0, 0, 1},
        {"VECTOR = 0 -2 0", 0, -1, 0},
        {"; no vector item\nSIZE = 3", 0, 0, 1},
        {"VECTOR = 1e200 0 0", 1, 0, 0},  // no overflow in the length
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "(no file)");
        std::map<std::string, std::string> vectors;
        if (c.file) vectors["Ship"] = c.file;
        StartWith(vectors);
        Focus("A", "Ship");
        K().LoadAntennaVector();
        ExpectVector(c.x, c.y, c.z);
        // The file is closed again; the name shown by Check cfg filename is not touched.
        EXPECT_STREQ(K().antennaFileName, "");
    }
}

TEST_F(Antenna, AShipWithoutAFileKeepsThePreviousShipsVector) {
    StartWith({{"WithFile", "VECTOR = 3 0 4"}});
    Focus("A", "WithFile");
    K().LoadAntennaVector();
    Focus("B", "WithoutFile");
    K().LoadAntennaVector();
    ExpectVector(0.6, 0, 0.8);
}

TEST_F(Antenna, WithoutAFocusVesselNothingIsRead) {
    StartWith({});
    host_calls::Calls().clear();
    K().LoadAntennaVector();
    ExpectVector(0, 0, 1);
    EXPECT_TRUE(host_calls::Calls().empty());
    K().MakeAntennaFileName();
    EXPECT_STREQ(K().antennaFileName, "config/Orvenet/ShipVectors/.cfg");
}

TEST_F(Antenna, FileNameOfTheFocusShipsClass) {
    struct Case {
        std::string cls, name;
    } const cases[] = {
        {"CrewCapsule", "config/Orvenet/ShipVectors/CrewCapsule.cfg"},
        {"Fleet\\Tug", "config/Orvenet/ShipVectors/Fleet\\Tug.cfg"},  // a folder part leads into a subfolder
        {std::string(300, 'c'), "config/Orvenet/ShipVectors/" + std::string(255, 'c') + ".cfg"},
    };
    StartWith({{"Fleet/Tug", "VECTOR = 0 1 0"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cls.substr(0, 20));
        Focus("Ship " + c.cls.substr(0, 20), c.cls);
        K().MakeAntennaFileName();
        EXPECT_EQ(std::string(K().antennaFileName), c.name);
        K().LoadAntennaVector();
    }
    // The class with a folder part found its file in the subfolder.
    ExpectVector(0, 1, 0);
}

}  // namespace
