#include "settings/saint_ini_lines.hpp"

#include <cstdint>

#include "core/file_names.hpp"
#include "core/format_int.hpp"

namespace korvaline {

namespace {

// A value built from the record; `argument` is the row's text (a suffix, the
// words of a title, a run digit).
using BuildValue = std::string (*)(const SetupRecord& record, std::string_view argument);

// A key line: its value is `text` as it stands, or built from the record by
// `build` when the row has one.
struct KeyRow {
    std::string_view key;
    std::string_view text;
    BuildValue build = nullptr;
};

struct Section {
    std::string_view name;
    std::vector<KeyRow> rows;
};

std::string title(const SetupRecord& record, std::string_view /*argument*/) {
    return record.title.trimmed();
}

std::string p4p_name(const SetupRecord& record, std::string_view /*argument*/) {
    return record.p4p_name.trimmed();
}

std::string laue_symbol(const SetupRecord& record, std::string_view /*argument*/) {
    return record.laue_field.trimmed();
}

std::string laue_code(const SetupRecord& record, std::string_view /*argument*/) {
    return format_int(record.laue_code, 1);
}

std::string centering_code(const SetupRecord& record, std::string_view /*argument*/) {
    return format_int(record.centering_code, 1);
}

std::string base_name(const SetupRecord& record, int run_number) {
    return record.run(run_number).base_name.trimmed();
}

// The four runs, run 1 by its first frame; an absent run leaves its place
// between the commas empty.
std::string frame_names(const SetupRecord& record, std::string_view /*argument*/) {
    return frame_file_name(base_name(record, 1), 1) + ", " + base_name(record, 2) + ", " +
           base_name(record, 3) + ", " + base_name(record, 4);
}

// The four runs, run 1 by the file its frames are integrated into.
std::string output_names(const SetupRecord& record, std::string_view /*argument*/) {
    return work_file_name(base_name(record, 1), ".raw") + ", " + base_name(record, 2) + ", " +
           base_name(record, 3) + ", " + base_name(record, 4);
}

std::string frame_counts(const SetupRecord& record, std::string_view /*argument*/) {
    return format_int(record.run(1).frame_count, 3) + "," +
           format_int(record.run(2).frame_count, 3) + "," +
           format_int(record.run(3).frame_count, 3) + "," +
           format_int(record.run(4).frame_count, 3);
}

// The sort step's input from the run whose digit is `run_digit`, or "$NULL"
// for an absent run.
std::string sort_input(const SetupRecord& record, std::string_view run_digit) {
    const int number = run_digit.front() - '0';
    return record.run(number).is_present() ? work_file_name(base_name(record, number), ".raw")
                                           : "$NULL";
}

std::string project_work_file(const SetupRecord& record, std::string_view suffix) {
    return work_file_name(record.project_name.trimmed(), suffix);
}

// A work file of the highest run found: the project and that run's digit.
std::string last_run_work_file(const SetupRecord& record, std::string_view suffix) {
    return work_file_name(run_base_name(record.project_name, record.last_run), suffix);
}

// The words, then the project name in brackets: "Sort [abc]".
std::string project_title(const SetupRecord& record, std::string_view words) {
    return std::string(words) + "[" + record.project_name.trimmed() + "]";
}

// saint.ini, section by section and line by line.
const std::vector<Section>& sections() {
    // clang-format off
    static const std::vector<Section> kSections = {
    {"SAINT",
     {
         {"VERSION", "SAINT V7.34A"},
         {"NROWS", "512"},
         {"NCOLS", "512"},
     }},
    {"CONFIGURE",
     {
         {"CFGNAME", "saint.ini"},
         {"AIRMU", "0.0012"},
         {"FACETRN", "0.9770"},
         {"DETTYPE", "1"},
         {"READNOISE", "24.037"},
         {"PIXPERCM", "83.660"},
         {"CM_TO_GRID", "0.000"},
         {"EPERADU", "10.7000"},
         {"EPERPHOTON", "175.000"},
         {"BIAS", "16"},
         {"FULLSCALE", "838848"},
         {"BRASS_SPACING", "0.2540"},
     }},
    {"INTEGRATE",
     {
         {"TITLE", "", title},
         {"FRAMENAME", "", frame_names},
         {"PARNAME", "", p4p_name},
         {"SPANAME", "$P4P"},
         {"OUTNAME", "", output_names},
         {"POINTGP", "", laue_symbol},
         {"IAPPEND", "0"},
         {"IBATNO", "1"},
         {"ICRYST", "1"},
         {"NFRAMES", "", frame_counts},
         {"ILATT", "", centering_code},
         {"SMAP", "1"},
         {"IFIXSPOTSIZE", "1"},
         {"IAXIS_OVR", "-9999"},
         {"AMNAME", "$NEW"},
         {"IVERBOSITY", "1"},
         {"SNAPFREQ", "100"},
         {"TIMEOUT", "0.000"},
         {"EXPOSURE", "0.000"},
         {"STRONGTHRESH", "10.000"},
         {"SPOTSIZE", "1.000"},
         {"YSPOTSIZE", "1.000"},
         {"SPREAD", "0.700"},
         {"TTM", "12.170"},
         {"STARTANG1", "-9999.0000"},
         {"STARTANG2", "-9999.0000"},
         {"STARTANG3", "-9999.0000"},
         {"STARTANG4", "-9999.0000"},
         {"ANGRANGE_OVR", "-9999.0000"},
         {"TIME_OVR", "-9999.0000"},
         {"NEXP_OVR", "-9999"},
         {"RESMAX", "0.75000"},
         {"FIOVSMIN", "-3.000"},
         {"LSREFINE", "50"},
         {"MONROLL", "0.000"},
         {"ACTTHRESH", "0.0000"},
         {"ORTUPDSCALE", "1.000"},
         {"BGSIG", "3.000"},
         {"MACHINE_ERROR", "0.0000"},
         {"BEAM_MON", "0"},
         {"MON_SEPARATE", "0"},
         {"MAKE_PLOTS", "0"},
         {"PROF_LSFIT", "1"},
         {"LCRYST_SYS", "", laue_code},
         {"LPAR_MASK", "512"},
         {"GLOBAL_REF", "1"},
         {"GCRYST_SYS", "", laue_code},
         {"GPAR_MASK", "0"},
         {"BLEND", "0"},
         {"BGCORSCALE", "0"},
         {"NOCORFILT", "0"},
         {"KEEP_TEMP", "0"},
         {"NOREFCOR", "0"},
         {"BGQSCALE", "6"},
         {"PMASK_THRESH", "0.050"},
         {"LS_IOVS_MAX", "8.0"},
         {"LS_WORST_RES", "9999.00000"},
         {"ESD_SCALE", "1.00000"},
         {"GREFLIM", "1024"},
         {"NO_DECAY", "0"},
         {"NO_FULL", "0"},
         {"WIDE_ALGORITHM", "0"},
         {"ALPHA12", "1"},
         {"VOLTARGET", "1.00000"},
         {"VOLANGSTROMS", "1.00000"},
         {"QUEUEHALF", "7"},
         {"PROFXHALF", "4"},
         {"PROFYHALF", "4"},
         {"PROFZHALF", "4"},
         {"TWINBOXRATIO", "1.80000"},
         {"LORENTZ", "0.0200"},
         {"LORMODEL", "0.0750"},
         {"MAXSATIND", "1"},
         {"TWINSEPARATION", "1.00000"},
         {"TWINMINCOMVOL", "0.04000"},
         {"GRLVERR", "0.0250"},
         {"WTMETH", "2"},
         {"DFRAME", "0"},
     }},
    {"STAT",
     {
         {"STATINNAME", "t.raw", project_work_file},
         {"STATOUTNAME", "t._ls", project_work_file},
         {"STATPOINTGP", "", laue_symbol},
         {"STATTITLE", "Statistics from ", project_title},
         {"IPLOTS", "1"},
         {"STATLATT", "", centering_code},
         {"STATPRNAME", "", p4p_name},
         {"STATSMAP", "1"},
     }},
    {"SORT",
     {
         {"SORTOUTNAME", "m.raw", project_work_file},
         {"SORTIN01", "1", sort_input},
         {"SORTIN02", "2", sort_input},
         {"SORTIN03", "3", sort_input},
         {"SORTIN04", "4", sort_input},
         {"SORTIN05", "$NULL"},
         {"SORTIN06", "$NULL"},
         {"SORTIN07", "$NULL"},
         {"SORTIN08", "$NULL"},
         {"SORTIN09", "$NULL"},
         {"SORTIN10", "$NULL"},
         {"SORTLISTNAME", "m._ls", project_work_file},
         {"SORTPOINTGP", "", laue_symbol},
         {"SORTTITLE", "Sort ", project_title},
         {"MERGEONLY", "0"},
         {"SORTSMAP", "1"},
     }},
    {"FILTER",
     {
         {"FILTINNAME", "m.raw", project_work_file},
         {"FILTOUTNAME", "f.raw", project_work_file},
         {"FILTPOINTGP", "", laue_symbol},
         {"FILTTITLE", "Filter ", project_title},
         {"FILTLISTNAME", "m._ls", project_work_file},
         {"USEXFORM", "0"},
         {"FILTSMAP", "1"},
         {"XFORM_COMPONENT", "1"},
         {"HKLXFORM1", "1.000"},
         {"HKLXFORM2", "0.000"},
         {"HKLXFORM3", "0.000"},
         {"HKLXFORM4", "0.000"},
         {"HKLXFORM5", "1.000"},
         {"HKLXFORM6", "0.000"},
         {"HKLXFORM7", "0.000"},
         {"HKLXFORM8", "0.000"},
         {"HKLXFORM9", "1.000"},
         {"FILTOP1", "EXCLUDE"},
         {"FILTITEM1", "BAD"},
         {"FILTVAL11", "5.0000000E+00"},
         {"FILTVAL21", "9.9000000E+01"},
         {"FILTOP2", "$NULL"},
         {"FILTITEM2", "X"},
         {"FILTVAL12", "0.0000000E+00"},
         {"FILTVAL22", "0.0000000E+00"},
         {"FILTOP3", "$NULL"},
         {"FILTITEM3", "X"},
         {"FILTVAL13", "0.0000000E+00"},
         {"FILTVAL23", "0.0000000E+00"},
         {"FILTOP4", "$NULL"},
         {"FILTITEM4", "X"},
         {"FILTVAL14", "0.0000000E+00"},
         {"FILTVAL24", "0.0000000E+00"},
         {"FILTOP5", "$NULL"},
         {"FILTITEM5", "X"},
         {"FILTVAL15", "0.0000000E+00"},
         {"FILTVAL25", "0.0000000E+00"},
         {"FILTOP6", "$NULL"},
         {"FILTITEM6", "X"},
         {"FILTVAL16", "0.0000000E+00"},
         {"FILTVAL26", "0.0000000E+00"},
         {"FILTOP7", "$NULL"},
         {"FILTITEM7", "X"},
         {"FILTVAL17", "0.0000000E+00"},
         {"FILTVAL27", "0.0000000E+00"},
         {"FILTOP8", "$NULL"},
         {"FILTITEM8", "X"},
         {"FILTVAL18", "0.0000000E+00"},
         {"FILTVAL28", "0.0000000E+00"},
     }},
    {"SCALE",
     {
         {"SCALTITLE", "Scale ", project_title},
         {"SCALINNAME", "m.raw", project_work_file},
         {"IIOVSMIN", "0.0000000E+00"},
         {"IREJECT", "0"},
         {"IRATIOMAX", "6.000"},
         {"IBUNCHMAX", "6.000"},
         {"SCALOUTNAME", "C:\\frames\\test\\saintoutput\\Micros.raw"},
         {"OIOVSMIN", "0.0000000E+00"},
         {"OREJECT", "0"},
         {"ORATIOMAX", "6.000"},
         {"OBUNCHMAX", "6.000"},
         {"SCALLISTNAME", "m._ls", project_work_file},
         {"SCALMINRES", "9999.00000"},
         {"SCALMAXRES", "1.00000"},
         {"SCALGRID", "9"},
         {"REJCYCLE", "1"},
         {"SCALCONVERGENCE", "9.9999997E-06"},
         {"SCALMAXCYCLES", "5"},
         {"WEDGETYPE", "FIXED"},
         {"WEDGESIZE", "10.00000"},
         {"EIGENTHRESH", "2.0000001E-03"},
         {"EIGENAUTO", "1"},
         {"DECAYTYPE", "0"},
         {"MAXDECAY", "2.0000000E-01"},
         {"SCALECYCLES", "ALL"},
         {"BCYCLES", "0"},
         {"ABSCYCLES", "0"},
         {"DECAYCYCLES", "0"},
         {"RESETCYCLES", "0"},
         {"SCALE_WAVE", "7.1073002E-01"},
     }},
    {"GLOBAL",
     {
         {"GLOBTITLE", "Global cell from ", project_title},
         {"GLOBINNAME", "1._ma", project_work_file},
         {"GLOBINP4P", "", laue_symbol},
         {"GLOBOUTP4P", "g.p4p", project_work_file},
         {"GLOBLISTNAME", "._ls", last_run_work_file},
         {"CRYST_SYS", "", laue_code},
         {"PAR_MASK", "0"},
         {"REFL_LIMIT", "8192"},
         {"WIDTH", "0.3000"},
         {"FRAMESIZE", "512"},
         {"RLVERR", "0.0250"},
     }},
    };
    // clang-format on
    return kSections;
}

}  // namespace

std::string SaintIniLine::text() const {
    switch (kind) {
        case Kind::kSeparator:
            return " ";
        case Kind::kHeader:
            return "[" + section + "]";
        case Kind::kKey:
            break;
    }
    return key + "=" + value;
}

const SaintIniLine* key_line(const std::vector<SaintIniLine>& lines, std::string_view section,
                             std::string_view key) {
    for (const SaintIniLine& line : lines) {
        if (line.kind == SaintIniLine::Kind::kKey && line.section == section && line.key == key) {
            return &line;
        }
    }
    return nullptr;
}

std::vector<SaintIniLine> saint_ini_lines(const SetupRecord& record) {
    std::vector<SaintIniLine> lines;
    for (const Section& section : sections()) {
        const std::string name(section.name);
        lines.push_back({SaintIniLine::Kind::kSeparator, name, "", "", true});
        lines.push_back({SaintIniLine::Kind::kHeader, name, "", "", true});
        for (const KeyRow& row : section.rows) {
            const bool fixed = row.build == nullptr;
            lines.push_back({SaintIniLine::Kind::kKey, name, std::string(row.key),
                             fixed ? std::string(row.text) : row.build(record, row.text), fixed});
        }
    }
    return lines;
}

}  // namespace korvaline
