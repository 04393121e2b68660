#include "platform/dmi/tests/mif_samples.h"

const char kDemoMif[] = R"MIF(// demo.mif: one of everything
Language = "ja|JP|iso8859-1"

START COMPONENT
    Name = "デモ" " パソコン"   // two literals, one name
    Description = "表示ソフト表"
    Start Path
        Name = "CORVANEDI"
        Win32 = direct-interface
        Win16 = "C:\\DMI\\BIN\\CI16.EXE"
        dos = "direct interface"
    End Path
    Start Enum
        Name = "Drive Kind"
        Type = Integer
        1 = "Other"
        2 = "Fixed"
        3 = "Removable"
        0x10 = "ﾘﾑｰﾊﾞﾌﾞﾙ"
        -1 = "Unknown"
    End Enum
    Start Group
        Name = "ComponentID"
        Class = "DMTF|ComponentID|001"
        ID = 1
        Start Attribute
            Name = "Manufacturer"  ID = 1  Access = Read-Only  Storage = Common
            Type = DisplayString(64)  Value = "Corvane \"Demo\"\tWorks\x21\101\q"
        End Attribute
        Start Attribute
            Name = "Product"  ID = 2  Type = String(64)  Value = *"CORVANEDI"
        End Attribute
        Start Attribute
            Name = "Installation"  ID = 5  Type = Date  Value = "19980401093000.000000+540"
        End Attribute
        Start Attribute
            Name = "Verify"  ID = 6
            Type = Start Enum
                       Name = "ignored here"
                       7 = "Functioning correctly"
                       0 = "An error occurred"
                   End Enum
            Value = "Functioning correctly"
        End Attribute
    End Group
    start group
        name = "Numbers"  class = "DEMO|Numbers|1.0"  id = 2
        description = "Numbers of" " every kind"
        start attribute name = "Big" id = 1 type = counter64 value = 0xFFFFFFFFFFFFFFFF end attribute
        START ATTRIBUTE NAME = "Low" ID = 2 TYPE = INTEGER VALUE = -2147483648 END ATTRIBUTE
        Start Attribute Name = "Octal" ID = 3 Type = Gauge Value = 0177 End Attribute
        Start Attribute Name = "Signed64" ID = 4 Type = Int64 Value = -2 End Attribute
        Start Attribute Name = "Kind" ID = 5 Type = "Drive Kind" Value = 16 End Attribute
        Start Attribute Name = "Not here" ID = 6 Type = Integer Value = Unsupported End Attribute
        Start Attribute Name = "Not known" ID = 7 Type = Integer Value = Unknown End Attribute
        Start Attribute
            Name = "Password"  ID = 8  Type = OctetString(8)  Access = Write-Only
            Value = *"CORVANEDI"
        End Attribute
    End Group
    Start Group
        Name = "Logical Drive"
        Class = "DEMO|Logical Drive|001"
        Key = 1
        Start Attribute Name = "Letter" ID = 1 Type = DisplayString(2) End Attribute
        Start Attribute Name = "Label" ID = 3 Type = DisplayString(32) Value = "ラベルなし" End Attribute
        Start Attribute Name = "Kind" ID = 2 Type = "Drive Kind" Value = "Fixed" End Attribute
    End Group
    Start Table
        Name = "Logical Drive Table"
        ID = 3
        Class = "DEMO|Logical Drive|001"
        {"C:", "Fixed", "システム"}
        {"A:", 3}             // label from the template
        {"D:",,"データ表"}    // kind from the template
    End Table
End Component
)MIF";

const char kPcMif[] = R"MIF(Start Component
    Name = "HELMSET PC"
    Description = "この PC のハードウェアとソフトウェア"
    Start Path
        Name = "CORVANEDI"
        Win32 = direct-interface
    End Path
    Start Group
        Name = "ComponentID"  Class = "DMTF|ComponentID|001"  ID = 1
        Start Attribute Name = "Manufacturer" ID = 1 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Product" ID = 2 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Version" ID = 3 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Serial Number" ID = 4 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Installation" ID = 5 Type = Date Value = "19990301120000.000000+540" End Attribute
        Start Attribute Name = "Verify" ID = 6 Type = Integer Value = Unsupported End Attribute
    End Group
    Start Group
        Name = "General Information"  Class = "DMTF|General Information|001"  ID = 2
        Start Attribute Name = "System Name" ID = 1 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "System Boot-up Time" ID = 5 Type = Date Value = *"CORVANEDI" End Attribute
        Start Attribute
            Name = "System Date Time"  ID = 6  Type = Date  Access = Read-Write
            Value = *"CORVANEDI"
        End Attribute
    End Group
    Start Group
        Name = "Operating System"  Class = "DMTF|Operating System|001"  ID = 3  Key = 1
        Start Attribute Name = "Index" ID = 1 Type = Integer Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Name" ID = 2 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
    End Group
    Start Group
        Name = "Physical Disk"  Class = "DMTF|Disks|001"  ID = 23  Key = 1, 2
        Start Attribute Name = "Storage Type" ID = 1 Type = Integer Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Storage Index" ID = 2 Type = Integer Value = *"CORVANEDI" End Attribute
        Start Attribute Name = "Interface" ID = 4 Type = DisplayString(64) Value = *"CORVANEDI" End Attribute
    End Group
    Start Group
        Name = "System Health"  Class = "CORVANE|System Health|1.0"  ID = 32
        Start Attribute
            Name = "+3.3 Volt High Limit"  ID = 11  Type = Integer  Access = Read-Write
            Value = *"CORVANEDI"
        End Attribute
        Start Attribute
            Name = "IN0 Volt High Limit"  ID = 3  Type = Integer  Access = Read-Write
            Value = unsupported
        End Attribute
    End Group
End Component
)MIF";

std::string OneGroupMif(const std::string& componentName, const std::string& classString) {
    return "Start Component Name = \"" + componentName +
           "\"\n"
           "  Start Group Name = \"G\" Class = \"" +
           classString +
           "\" ID = 1\n"
           "    Start Attribute Name = \"A\" ID = 1 Type = Integer Value = 7 End Attribute\n"
           "  End Group\n"
           "End Component\n";
}
