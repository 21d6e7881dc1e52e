#include "emulator/ChipToolCommands.h"

#include "device/ByteOrder.h"
#include "device/SdkEntryPoints.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string_view>

namespace emulator {

namespace {

using Args = std::vector<std::string>;

std::optional<std::uint32_t> Number(std::string_view text, int base)
{
    if (base == 16 && (text.starts_with("0x") || text.starts_with("0X")))
        text.remove_prefix(2);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> Hex(const std::string& text, std::uint32_t max)
{
    const auto value = Number(text, 16);
    return value && *value <= max ? value : std::nullopt;
}

std::optional<std::uint32_t> Decimal(const std::string& text, std::uint32_t max)
{
    const auto value = Number(text, 10);
    return value && *value <= max ? value : std::nullopt;
}

std::string Format(const char* format, auto... values)
{
    char text[256];
    const int length = std::snprintf(text, sizeof text, format, values...);
    return std::string(text, static_cast<std::size_t>(std::max(0, std::min<int>(length, sizeof text - 1))));
}

// A decimal count, or "forever"/"never" for kForever.
std::optional<std::uint32_t> CountOrForever(const std::string& text, const char* foreverWord)
{
    if (text == foreverWord)
        return kForever;
    return Decimal(text, kForever - 1);
}

ChipToolOutcome Ok(std::string output = {})
{
    return {kToolOk, std::move(output)};
}
ChipToolOutcome BadUsage(const std::string& why)
{
    return {kToolBadUsage, why + "\n" + ChipToolUsage()};
}

const std::map<std::string, RequestKind, std::less<>>& KindNames()
{
    static const std::map<std::string, RequestKind, std::less<>> names = {
        {"sdk", RequestKind::SdkCall},
        {"hid-open", RequestKind::HidOpen},
        {"hid-output", RequestKind::HidOutputReport},
        {"hid-input", RequestKind::HidInputReport},
        {"driver-open", RequestKind::DriverOpen},
        {"driver-control", RequestKind::DriverControl},
        {"button", RequestKind::ButtonReport},
    };
    return names;
}

std::string KindName(RequestKind kind)
{
    for (const auto& [name, value] : KindNames())
        if (value == kind)
            return name;
    return "?";
}

std::optional<std::uint8_t> EntryPointByName(std::string_view name)
{
    for (std::size_t i = 0; i < sdk::kEntryPointCount; ++i)
        if (sdk::kEntryPointNames[i] == name)
            return static_cast<std::uint8_t>(i);
    return std::nullopt;
}

std::string Bytes(const std::uint8_t* data, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += Format(i == 0 ? "%.2X" : " %.2X", data[i]);
    return text;
}

ChipToolOutcome Identity(Chip& chip, const Args& args)
{
    const auto vid = args.size() == 3 ? Hex(args[1], 0xFFFF) : std::nullopt;
    const auto pid = args.size() == 3 ? Hex(args[2], 0xFFFF) : std::nullopt;
    if (!vid || !pid)
        return BadUsage("identity takes VID and PID in hexadecimal");
    chip.SetIdentity(static_cast<std::uint16_t>(*vid), static_cast<std::uint16_t>(*pid));
    return Ok();
}

ChipToolOutcome Press(Chip& chip, const Args& args)
{
    std::array<std::uint8_t, 5> report{};
    if (args.size() != report.size() + 1)
        return BadUsage("press takes five report bytes in hexadecimal");
    for (std::size_t i = 0; i < report.size(); ++i) {
        const auto value = Hex(args[i + 1], 0xFF);
        if (!value)
            return BadUsage("press takes five report bytes in hexadecimal");
        report[i] = static_cast<std::uint8_t>(*value);
    }
    const InjectedButtonReport injected = chip.InjectButtonReport(report);
    return Ok(injected.deliver ? "pressed; a scan is running\n" : "pressed; no scan is running\n");
}

ChipToolOutcome ReportLengths(Chip& chip, const Args& args)
{
    const auto output = args.size() == 3 ? Decimal(args[1], 0xFFFF) : std::nullopt;
    const auto input = args.size() == 3 ? Decimal(args[2], 0xFFFF) : std::nullopt;
    if (!output || !input)
        return BadUsage("report-lengths takes the output and input lengths in bytes");
    chip.SetReportLengths(static_cast<std::uint16_t>(*output), static_cast<std::uint16_t>(*input));
    return Ok();
}

ChipToolOutcome Driver(Chip& chip, const Args& args)
{
    if (args.size() != 2 || (args[1] != "present" && args[1] != "missing"))
        return BadUsage("driver takes present or missing");
    chip.SetDriverChannelPresent(args[1] == "present");
    return Ok();
}

ChipToolOutcome ProbeFailures(Chip& chip, const Args& args)
{
    const auto count = args.size() == 2 ? CountOrForever(args[1], "never") : std::nullopt;
    if (!count)
        return BadUsage("probe-failures takes a count or never");
    chip.SetProbeFailures(*count);
    return Ok();
}

ChipToolOutcome Fault(Chip& chip, const Args& args)
{
    if (args.size() < 3 || args.size() > 6)
        return BadUsage("fault takes KIND N [ACTION] [COUNT] [ENTRY-POINT]");
    const auto kind = KindNames().find(args[1]);
    const auto n = Decimal(args[2], kForever - 1);
    if (kind == KindNames().end() || !n || *n == 0)
        return BadUsage("fault needs a known kind and N of 1 or more");
    static const std::map<std::string, FaultAction, std::less<>> actions = {
        {"fail", FaultAction::Fail}, {"unplug", FaultAction::Unplug}, {"empty", FaultAction::AnswerEmpty}};
    const auto action = args.size() > 3 ? actions.find(args[3]) : actions.find("fail");
    if (action == actions.end())
        return BadUsage("the fault's action is fail, unplug or empty");
    const auto count = args.size() <= 4 ? std::optional<std::uint32_t>(1) : CountOrForever(args[4], "forever");
    if (!count || *count == 0)
        return BadUsage("the fault's count is 1 or more, or forever");
    std::uint8_t entryPoint = kAnyEntryPoint;
    if (args.size() == 6) {
        const auto entry = kind->second == RequestKind::SdkCall ? EntryPointByName(args[5]) : std::nullopt;
        if (!entry)
            return BadUsage("only sdk faults name an entry point, and it must be one of the table");
        entryPoint = *entry;
    }
    if (!chip.ArmFault(FaultRule{1, kind->second, entryPoint, action->second, *n - 1, *count}))
        return {kToolNoFaultSlot, "every fault slot is taken; clear-faults first\n"};
    return Ok();
}

ChipToolOutcome Status(Chip& chip)
{
    return Ok(chip.WithState([](const ChipState& s) {
        const Presence& p = s.presence;
        std::string text = Format("plugged %d\nactive %d\ndriver-channel %s\nidentity %.4X %.4X\n", p.plugged, p.active,
                                  p.driverChannelPresent ? "present" : "missing", p.vid, p.pid);
        text += Format("report-lengths %u %u\nscanning %d\npresses %u\n", p.outputReportLength, p.inputReportLength,
                       s.button.scanning, s.button.pressCount);
        text += Format("open-handles hid %u driver %u\nrequests %u\n", s.openHidHandles, s.openDriverHandles,
                       s.requestCount);
        // The filter driver's room effect: the selected index (0 none to 4) and the last switch value.
        text += Format("room-effect %u switch %u\n", s.driver.effectIndex, s.driver.effectSwitch);
        for (std::uint32_t i = 0; i < p.hardwareIdCount && i < kHardwareIdCapacity; ++i) {
            std::string id;
            for (const char16_t* c = p.hardwareIds[i]; *c != u'\0'; ++c)
                id += *c < 0x80 ? static_cast<char>(*c) : '?';
            text += "hardware-id " + id + "\n";
        }
        return text;
    }));
}

ChipToolOutcome Registers(Chip& chip, const Args& args)
{
    const auto address = args.size() >= 2 && args.size() <= 3 ? Hex(args[1], kRegisterCount - 1) : std::nullopt;
    const auto count = args.size() == 3 ? Decimal(args[2], kRegisterCount) : std::optional<std::uint32_t>(1);
    if (!address || !count || *count == 0 || *address + *count > kRegisterCount)
        return BadUsage("registers takes a hexadecimal ADDRESS and an optional COUNT within the register file");
    return Ok(chip.WithState([&](const ChipState& s) {
        std::string text;
        for (std::uint32_t line = *address; line < *address + *count; line += 16) {
            const std::uint32_t end = std::min(line + 16, *address + *count);
            text += Format("%.4X: ", line) + Bytes(s.registers + line, end - line) + "\n";
        }
        return text;
    }));
}

// "eeprom SLAVE ADDRESS [COUNT]" shows bytes behind an I2C slave; "eeprom SLAVE ADDRESS = B0 B1 ..." writes
// them, so that a stored equalizer bank can be laid out for the panel to find.
ChipToolOutcome Eeprom(Chip& chip, const Args& args)
{
    const auto slave = args.size() >= 3 ? Hex(args[1], 0xFF) : std::nullopt;
    const auto address = args.size() >= 3 ? Hex(args[2], kEepromBlockSize - 1) : std::nullopt;
    const bool usable = slave && *slave >= kFirstEepromSlave && *slave < kFirstEepromSlave + kEepromBlockCount;
    if (!usable || !address)
        return BadUsage("eeprom takes a hexadecimal SLAVE (50 or 51) and ADDRESS, then COUNT or = BYTES");
    const std::size_t block = *slave - kFirstEepromSlave;
    if (args.size() >= 5 && args[3] == "=") {
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 4; i < args.size(); ++i) {
            const auto byte = Hex(args[i], 0xFF);
            if (!byte)
                return BadUsage("eeprom bytes are hexadecimal, 00 to FF");
            bytes.push_back(static_cast<std::uint8_t>(*byte));
        }
        if (*address + bytes.size() > kEepromBlockSize)
            return BadUsage("eeprom bytes run past the end of the block");
        chip.WithState([&](ChipState& s) {
            std::copy(bytes.begin(), bytes.end(), s.eeprom[block] + *address);
            return 0;
        });
        return Ok();
    }
    const auto count = args.size() == 4 ? Decimal(args[3], kEepromBlockSize) : std::optional<std::uint32_t>(1);
    if (args.size() > 4 || !count || *count == 0 || *address + *count > kEepromBlockSize)
        return BadUsage("eeprom COUNT must stay within the block");
    return Ok(chip.WithState([&](const ChipState& s) {
        return Format("%.2X %.2X: ", *slave, *address) + Bytes(s.eeprom[block] + *address, *count) + "\n";
    }));
}

// The sound state the SDK keeps, one "name value" line each.
ChipToolOutcome Sound(Chip& chip)
{
    return Ok(chip.WithState([](const ChipState& s) {
        const SoundState& sound = s.sound;
        std::string text =
            Format("eq-enabled %d\n3d-enabled %d\nvirtual-on %d\nvirtual-scalar %.1f\nenc-enabled %d\n"
                   "voice-enabled %d\n",
                   sound.eqEnabled, sound.threeDEnabled, sound.virtualOn, static_cast<double>(sound.virtualScalar),
                   sound.encEnabled, sound.voiceEnabled);
        // The last speaker block, decoded: its switch, then each speaker's factor and angle.
        const sdk::Virtual7ch1Block& block = sound.virtualBlock;
        text += Format("virtual-block-enabled %d\n", block.enabled);
        for (int i = 0; i < sdk::kSpeakerCount; ++i)
            text += Format("virtual-speaker %d %.4f %.4f\n", i, static_cast<double>(block.distanceFactor[i]),
                           static_cast<double>(block.angle[i]));
        // Noise cancellation's parameter block carries the level in bytes 8-11; the voice block is
        // the switch (u32) and the signed level offset (i16).
        const std::span<const std::uint8_t> enc(sound.encParameters);
        const std::span<const std::uint8_t> voice(sound.voiceBlock);
        text += Format("enc-level %u\nenc-parameters ", device::GetU32(enc, 8)) + Bytes(enc.data(), enc.size()) + "\n";
        text += Format("voice-block-enabled %u\nvoice-offset %d\nvoice-block ", device::GetU32(voice, 0),
                       static_cast<std::int16_t>(device::GetU16(voice, 4))) +
                Bytes(voice.data(), voice.size()) + "\n";
        return text;
    }));
}

// The LED controller on each path, one "name value" line each; colours as RRGGBB.
ChipToolOutcome Led(Chip& chip)
{
    return Ok(chip.WithState([](const ChipState& s) {
        std::string text;
        const auto colour = [](const Rgb& c) { return Format("%.2X%.2X%.2X", c.r, c.g, c.b); };
        for (const auto& [path, controller] : {std::pair{"master", &s.ledMaster}, std::pair{"slave", &s.ledSlave}}) {
            text += Format("%s-step %d\n%s-time %d\n%s-commands %u\n", path, controller->step, path,
                           controller->lastTime, path, controller->commandCount);
            for (std::size_t i = 0; i < kLedCount; ++i) {
                const LedUnit& unit = controller->leds[i];
                const std::string led = Format("%s-led%d-", path, static_cast<int>(i + 1));
                text += Format("%smode %d\n%sparameter %d\n%soff %d\n%sbrightness %d\n%ssingle-mode %d\n",
                               led.c_str(), unit.mode, led.c_str(), unit.parameter, led.c_str(), unit.poweredOff,
                               led.c_str(), unit.brightness, led.c_str(), unit.singleColorMode);
                text += led + "single-color " + colour(unit.singleColor) + "\n" + led + "palette";
                for (const Rgb& slot : unit.palette)
                    text += " " + colour(slot);
                text += "\n";
            }
        }
        return text;
    }));
}

std::string Describe(const RecordedRequest& request)
{
    std::string text = Format("%6u %s", request.sequence, KindName(request.kind).c_str());
    if (request.kind == RequestKind::SdkCall && request.entryPoint < sdk::kEntryPointCount)
        text += " " + std::string(sdk::kEntryPointNames[request.entryPoint]);
    if (request.argCount > 0) {
        text += "(";
        for (std::uint8_t i = 0; i < request.argCount; ++i)
            text += Format(i == 0 ? "%d" : ", %d", request.args[i]);
        text += ")";
    }
    if (request.dataLength > 0)
        text += Format(" [%u] ", request.dataLength) +
                Bytes(request.data, std::min<std::size_t>(request.dataLength, kRecordedDataCapacity));
    text += request.kind == RequestKind::SdkCall ? Format(" -> %d", request.result)
                                                 : std::string(request.succeeded ? " ok" : " failed");
    return text + "\n";
}

ChipToolOutcome Requests(Chip& chip)
{
    std::string text;
    for (const RecordedRequest& request : chip.Requests())
        text += Describe(request);
    return Ok(text);
}

ChipToolOutcome Simple(const Args& args, const char* name, const std::function<void()>& act)
{
    if (args.size() != 1)
        return BadUsage(std::string(name) + " takes no arguments");
    act();
    return Ok();
}

} // namespace

ChipToolOutcome RunChipToolCommand(Chip& chip, const Args& args)
{
    if (args.empty())
        return BadUsage("no command");
    const std::string& command = args[0];
    if (command == "reset")
        return Simple(args, "reset", [&] {
            chip.WithState([](ChipState& s) {
                ResetChipState(s);
                return 0;
            });
        });
    if (command == "plug")
        return Simple(args, "plug", [&] { chip.Plug(); });
    if (command == "unplug")
        return Simple(args, "unplug", [&] { chip.Unplug(); });
    if (command == "clear-faults")
        return Simple(args, "clear-faults", [&] { chip.ClearFaults(); });
    if (command == "clear-requests")
        return Simple(args, "clear-requests", [&] { chip.ClearRequests(); });
    if (command == "identity")
        return Identity(chip, args);
    if (command == "press")
        return Press(chip, args);
    if (command == "report-lengths")
        return ReportLengths(chip, args);
    if (command == "driver")
        return Driver(chip, args);
    if (command == "probe-failures")
        return ProbeFailures(chip, args);
    if (command == "fault")
        return Fault(chip, args);
    if (command == "status" && args.size() == 1)
        return Status(chip);
    if (command == "registers")
        return Registers(chip, args);
    if (command == "eeprom")
        return Eeprom(chip, args);
    if (command == "sound" && args.size() == 1)
        return Sound(chip);
    if (command == "requests" && args.size() == 1)
        return Requests(chip);
    if (command == "led" && args.size() == 1)
        return Led(chip);
    return BadUsage("unknown command: " + command);
}

std::string ChipToolUsage()
{
    return "usage: TonvioChipTool COMMAND [ARGUMENTS]\n"
           "  reset | plug | unplug | identity VID PID | press B0 B1 B2 B3 B4\n"
           "  report-lengths OUT IN | driver present|missing | probe-failures N|never\n"
           "  fault KIND N [fail|unplug|empty] [COUNT|forever] [ENTRY-POINT] | clear-faults\n"
           "  status | sound | led | registers ADDRESS [COUNT] | requests | clear-requests\n"
           "  eeprom SLAVE ADDRESS [COUNT] | eeprom SLAVE ADDRESS = B0 [B1 ...]\n"
           "  KIND: sdk hid-open hid-output hid-input driver-open driver-control button\n"
           "  VID, PID, bytes, addresses hexadecimal; lengths and counts decimal\n";
}

} // namespace emulator
