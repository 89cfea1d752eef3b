// aspaths on MRT dumps end to end: the path line of every route, raw and
// compressed, and what damaged input gives: every sound route first, then
// one line naming the input and the byte, and status 1.
#include <string>

#include <gtest/gtest.h>

#include "mrt_sample.h"
#include "run.h"

namespace {

using namespace mrt;

struct Sample {
    const char *kind;
    std::string paths;
};

const Sample samples[] = {
    {"rib",
     "3356 1299 65001\n174 1299 65001\n196615 3356 1299 65001\n"
     "3356\n"                      // stops before 4200000001
     "174 2914 64500\n3356 7018\n" // stops at the confederation set
     "174 3257\n"                  // and at the confederation sequence
     "\n"                          // which may stand first
     "174 6939 131072\n"           // the AS set ends the path
     "196615 6939 131072\n"        // prepending collapsed across segments
     "\n\n"                        // an empty path; a segment type BGP lacks
     "3356 2914\n3356 1299\n196615 6939\n"}, // ADD-PATH, IPv4 and IPv6
    {"tabledump", "3356 1299 65001\n3356 196615 4788\n3356 6939\n"},
    {"updates",
     "3356 196615 1299\n3356 196615 1299\n" // AS4_PATH merged
     "3356 23456\n3356 23456\n"             // AS4_PATH longer: left
     "3356 174 3356 70000\n"                // the first segment again
     "196615 6939\n196615 6939\n196615 6939\n196615 9\n" // NLRI, MP_REACH IPv6, IPv4 multicast
     "64496 3356\n64496 3356\n64496 196615\n64496 196615\n" // LOCAL
     "3356 2914\n3356 2914\n196615 2914\n196615 2914\n196615 2914\n" // ADD-PATH
     "64496 1\n64496 1\n64496 2\n64496 2\n"
     "196615 3257\n196615 3257\n" // BGP4MP_ET
     "1299 3356\n1299 3356\n\n\n1 2 3\n1 2 3\n\n\n\n\n"},
    {"old", "3333 286 701\n3333 286 701\n3333 1\n"},
};

TEST(Mrt, EveryRouteOfEveryKind)
{
    for (const Sample &s : samples) {
        const std::string dump = mrtSample(s.kind);
        const RunResult r = runTool(ASPATHS_BIN, dump);
        EXPECT_EQ(r.out, s.paths) << s.kind;
        EXPECT_EQ(r.status, 0) << s.kind;
        EXPECT_EQ(r.err, "") << s.kind;
    }
}

TEST(Mrt, CompressedAndConcatenated)
{
    const std::string dump = mrtSample("updates"), paths = samples[2].paths;
    const std::string file = tempPath("dump");
    writeFile(file, dump);
    for (const char *form : {"gzip -c", "bzip2 -c", "gzip -c -1", "gzip -c | gzip -c", "bzip2 -c | gzip -c"}) {
        const RunResult once = runShell(std::string(form) + " < " + file + " | " ASPATHS_BIN);
        EXPECT_EQ(once.out, paths) << form;
        EXPECT_EQ(once.status, 0) << form;
        // Members or streams one after another: cat a.gz b.gz.
        const RunResult twice =
            runShell("{ " + std::string(form) + " < " + file + "; " + form + " < " + file + "; } | " ASPATHS_BIN);
        EXPECT_EQ(twice.out, paths + paths) << form;
    }
    // Text route records, compressed, are text.
    const RunResult text = runShell("printf 'a|b|c|d|e|f|1 1 2\\n' | gzip -c | " ASPATHS_BIN);
    EXPECT_EQ(text.out, "1 2\n");
    removeFile(file);
}

// Where each record of DUMP begins, and its end.
std::vector<std::size_t> recordStarts(const std::string &dump)
{
    std::vector<std::size_t> at;
    for (std::size_t p = 0; p + 12 <= dump.size();) {
        at.push_back(p);
        p += 12 + (std::size_t(std::uint8_t(dump[p + 8])) << 24 | std::uint8_t(dump[p + 9]) << 16 |
                   std::uint8_t(dump[p + 10]) << 8 | std::uint8_t(dump[p + 11]));
    }
    at.push_back(dump.size());
    return at;
}

TEST(Mrt, CutShortAnywhere)
{
    // Cut inside every record, at its header and in its body: the routes of
    // the records before, then the message naming the record cut.
    for (const char *kind : {"rib", "updates"}) {
        const std::string dump = mrtSample(kind);
        const std::vector<std::size_t> starts = recordStarts(dump);
        for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
            const std::string whole = runTool(ASPATHS_BIN, dump.substr(0, starts[i])).out;
            for (std::size_t cut : {starts[i] + 1, starts[i] + 11, starts[i] + 12, (starts[i] + starts[i + 1]) / 2,
                                    starts[i + 1] - 1}) {
                if (cut < 12 || cut <= starts[i] || cut >= starts[i + 1])
                    continue; // too short to be told from text
                const RunResult r = runTool(ASPATHS_BIN, dump.substr(0, cut));
                EXPECT_EQ(r.out, whole) << kind << " cut at " << cut;
                EXPECT_EQ(r.err, "aspaths: standard input: cut short: the input ends inside the MRT record at byte " +
                                     std::to_string(starts[i]) + "\n")
                    << kind << " cut at " << cut;
                EXPECT_EQ(r.status, 1) << kind << " cut at " << cut;
            }
        }
    }
}

// A record's body length field, set to LENGTH.
std::string withLength(std::string record, std::uint32_t length)
{
    for (int i = 0; i != 4; ++i)
        record[8 + i] = char(length >> (24 - 8 * i));
    return record;
}

struct Damaged {
    const char *name;
    std::string dump;
    std::string paths;
    std::string err; // after "aspaths: standard input: "
};

TEST(Mrt, MalformedRecordsAreSkippedAndCounted)
{
    const Bytes peers = peerIndex({{0, 3356}, {2, 70000}});
    const Bytes good = rib(ribIPv4, 0, 8, v4(10, 0), {{0, attributes(sample::path({3356, 1}), 4)}});
    Bytes attrs = attributes(sample::path({3356, 2}), 4);
    Bytes longAttribute = attrs;
    longAttribute[6] = 40; // AS_PATH's length runs past the attributes
    const Bytes two = prefix(8, v4(10, 0)) + prefix(8, v4(11, 0));
    Bytes longSegment = attributes(sample::path({3356, 2}), 4);
    longSegment[8] = 3; // a segment of three ASNs holding two
    const Bytes update2 = bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attrs, two)));
    Bytes longMessage = update2;
    longMessage[12 + 20 + 16 + 1] += 10; // the BGP length past the record
    const Damaged cases[] = {
        {"attribute past the attributes", peers + good + rib(ribIPv4, 1, 8, v4(11, 0), {{0, longAttribute}}) + good,
         "3356 1\n3356 1\n", "skipped 1 malformed MRT record, the first at byte " + std::to_string(peers.size() + good.size())},
        {"segment past its attribute", peers + rib(ribIPv4, 1, 8, v4(11, 0), {{0, longSegment}}) + good, "3356 1\n",
         "skipped 1 malformed MRT record, the first at byte " + std::to_string(peers.size())},
        {"peer index beyond the table", peers + rib(ribIPv4, 1, 8, v4(11, 0), {{1, attrs}, {2, attrs}}) + good,
         "3356 1\n", "skipped 1 malformed MRT record, the first at byte " + std::to_string(peers.size())},
        {"no peer table", good + good, "", "skipped 2 malformed MRT records, the first at byte 0"},
        {"IPv4 prefix of 33 bits", update2 + bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attrs, prefix(33, v4(1, 2, 3, 4) + "\x05")))),
         "3356 2\n3356 2\n", "skipped 1 malformed MRT record, the first at byte " + std::to_string(update2.size())},
        {"prefix past the message", bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attrs, two.substr(0, 3)))) + update2,
         "3356 2\n3356 2\n", "skipped 1 malformed MRT record, the first at byte 0"},
        {"BGP length past the record", longMessage + update2, "3356 2\n3356 2\n",
         "skipped 1 malformed MRT record, the first at byte 0"},
        {"entries past the record", peers + withLength(good.substr(0, good.size() - 5), std::uint32_t(good.size() - 17)) + good,
         "3356 1\n",
         "skipped 1 malformed MRT record, the first at byte " + std::to_string(peers.size())},
        {"a header that claims 4 GiB", update2 + withLength(update2, 0xfffffff0u), "3356 2\n3356 2\n",
         "cut short: the input ends inside the MRT record at byte " + std::to_string(update2.size())},
    };
    for (const Damaged &c : cases) {
        const RunResult r = runTool(ASPATHS_BIN, c.dump);
        EXPECT_EQ(r.out, c.paths) << c.name;
        EXPECT_EQ(r.err, "aspaths: standard input: " + c.err + "\n") << c.name;
        EXPECT_EQ(r.status, 1) << c.name;
#ifndef ASPATHS_SANITIZED
        EXPECT_LT(r.peakKiB, 64 * 1024) << c.name; // never what a header claims
#endif
    }
}

TEST(Mrt, RecordsWithoutRoutesArePassedOverQuietly)
{
    const Bytes update2 = bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes(sample::path({1, 2}), 4),
                                                                        prefix(8, v4(10, 0)))));
    Bytes ospf;
    put32(ospf, timestamp), put16(ospf, 11), put16(ospf, 0), put32(ospf, 3000000);
    const std::string dump = update2 + record(99, 1, Bytes(5000, 'x')) + stateChangeRecord() + ospf +
                             Bytes(3000000, '\0') + update2;
    const RunResult r = runTool(ASPATHS_BIN, dump);
    EXPECT_EQ(r.out, "1 2\n1 2\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
}

TEST(Mrt, CorruptCompressedData)
{
    const std::string dump = mrtSample("updates"), paths = samples[2].paths;
    const std::string file = tempPath("dump");
    writeFile(file, dump);
    struct Case {
        const char *name;
        std::string command;
        std::string err;    // after "aspaths: standard input: "
        bool offsetFollows; // a byte offset that depends on the compressor ends ERR
    };
    const Case cases[] = {
        {"gzip cut short", "gzip -c < F | head -c 200", "gzip data cut short at byte 200", false},
        {"bzip2 cut short", "bzip2 -c < F | head -c 200", "bzip2 data cut short at byte 200", false},
        {"gzip with a byte changed", "gzip -c < F | { head -c 100; printf 'X'; tail -c +102; }", "corrupt gzip data at byte ", true},
        {"bzip2 with a byte changed", "bzip2 -c < F | { head -c 100; printf 'X'; tail -c +102; }", "corrupt bzip2 data at byte ", true},
        {"gzip then garbage", "{ gzip -c < F; printf 'garbage'; }", "trailing garbage after gzip data at byte ", true},
        {"bzip2 then garbage", "{ bzip2 -c < F; printf 'garbage'; }", "trailing garbage after bzip2 data at byte ", true},
    };
    for (const Case &c : cases) {
        std::string command = c.command;
        command.replace(command.find('F'), 1, file);
        const RunResult r = runShell("(" + command + ") | " ASPATHS_BIN " 2>" + file + ".err; echo $? >> " + file + ".err");
        const std::string err = readFile(file + ".err");
        EXPECT_EQ(paths.compare(0, r.out.size(), r.out), 0) << c.name << ": not what was decoded before";
        const std::string prefix = "aspaths: standard input: " + c.err;
        const std::size_t digits = c.offsetFollows ? err.find_first_not_of("0123456789", prefix.size()) : prefix.size();
        EXPECT_TRUE(err.compare(0, prefix.size(), prefix) == 0 && (digits > prefix.size() || !c.offsetFollows) &&
                    err.compare(digits, std::string::npos, "\n1\n") == 0)
            << c.name << ": " << err;
    }
    removeFile(file);
    removeFile(file + ".err");
}

} // namespace
