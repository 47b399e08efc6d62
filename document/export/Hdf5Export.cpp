#include "document/export/Hdf5Export.h"

#include <hdf5.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <numbers>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "ProgramIdentity.h"
#include "document/Velor32Doc.h"
#include "document/parameters/StandardParameters.h"

namespace velor {
namespace {

// Builds one file through the library, remembering the first failure: every later step is
// then skipped, and the caller asks once at the end. Identifiers are closed when it goes.
class Builder {
public:
    explicit Builder(hid_t file) : m_file(file) {
        m_objectList = H5Pcreate(H5P_DATASET_CREATE);
        m_groupList = H5Pcreate(H5P_GROUP_CREATE);
        // No modification times: the same measurement gives the same bytes.
        Check(m_objectList >= 0 && H5Pset_obj_track_times(m_objectList, false) >= 0 && m_groupList >= 0 &&
              H5Pset_obj_track_times(m_groupList, false) >= 0);
        m_text = H5Tcopy(H5T_C_S1);
        Check(m_text >= 0 && H5Tset_size(m_text, H5T_VARIABLE) >= 0 && H5Tset_cset(m_text, H5T_CSET_UTF8) >= 0);
    }
    ~Builder() {
        for (auto it = m_groups.rbegin(); it != m_groups.rend(); ++it) H5Gclose(*it);
        if (m_text >= 0) H5Tclose(m_text);
        if (m_groupList >= 0) H5Pclose(m_groupList);
        if (m_objectList >= 0) H5Pclose(m_objectList);
    }
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    bool Failed() const { return m_failed; }
    hid_t Root() const { return m_file; }

    // A group below parent; kept open until the builder goes.
    hid_t Group(hid_t parent, const char* name) {
        if (m_failed) return -1;
        const hid_t group = H5Gcreate2(parent, name, H5P_DEFAULT, m_groupList, H5P_DEFAULT);
        Check(group >= 0);
        if (group >= 0) m_groups.push_back(group);
        return group;
    }

    void Attribute(hid_t object, const char* name, double value, const char* units = nullptr) {
        Write(object, name, H5T_IEEE_F64LE, H5T_NATIVE_DOUBLE, {}, &value);
        UnitsOf(object, name, units);
    }
    void Attribute(hid_t object, const char* name, int value, const char* units = nullptr) {
        const int32_t v = value;
        Write(object, name, H5T_STD_I32LE, H5T_NATIVE_INT32, {}, &v);
        UnitsOf(object, name, units);
    }
    void Attribute(hid_t object, const char* name, const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        const char* text = utf8.constData();
        Write(object, name, m_text, m_text, {}, &text);
    }

    // A dataset of floats (32 or 64 bits as given) of the shape dims, with its units.
    template <typename Value>
    void Dataset(hid_t parent, const char* name, std::vector<hsize_t> dims, const Value* values, const char* units) {
        const hid_t dataset = Open(parent, name, std::move(dims), values, units);
        if (dataset >= 0) H5Dclose(dataset);
    }

    // A computed figure: its value, units, the viewer's name of it (for a script's labels) and
    // the decimals the viewer shows.
    void Figure(hid_t parent, const char* key, double value, const char* units, const QString& name, int decimals) {
        const hid_t dataset = Open(parent, key, {}, &value, units);
        if (dataset < 0) return;
        Attribute(dataset, "name", name);
        Attribute(dataset, "decimals", decimals);
        H5Dclose(dataset);
    }

    void TextDataset(hid_t parent, const char* name, const QString& value) {
        if (m_failed) return;
        const hid_t dataset = Create(parent, name, m_text, {});
        if (dataset < 0) return;
        const QByteArray utf8 = value.toUtf8();
        const char* text = utf8.constData();
        Check(H5Dwrite(dataset, m_text, H5S_ALL, H5S_ALL, H5P_DEFAULT, &text) >= 0);
        H5Dclose(dataset);
    }

private:
    // A dataset written and given its units, left open for the caller to close; -1 on failure.
    template <typename Value>
    hid_t Open(hid_t parent, const char* name, std::vector<hsize_t> dims, const Value* values, const char* units) {
        static_assert(sizeof(Value) == 4 || sizeof(Value) == 8);
        if (m_failed) return -1;
        const hid_t fileType = sizeof(Value) == 4 ? H5T_IEEE_F32LE : H5T_IEEE_F64LE;
        const hid_t memoryType = sizeof(Value) == 4 ? H5T_NATIVE_FLOAT : H5T_NATIVE_DOUBLE;
        const hid_t dataset = Create(parent, name, fileType, dims);
        if (dataset < 0) return -1;
        Check(H5Dwrite(dataset, memoryType, H5S_ALL, H5S_ALL, H5P_DEFAULT, values) >= 0);
        Attribute(dataset, "units", QString::fromLatin1(units));
        return dataset;
    }

    void Check(bool ok) {
        if (!ok) m_failed = true;
    }

    static hid_t Space(const std::vector<hsize_t>& dims) {
        return dims.empty() ? H5Screate(H5S_SCALAR)
                            : H5Screate_simple(static_cast<int>(dims.size()), dims.data(), nullptr);
    }

    hid_t Create(hid_t parent, const char* name, hid_t type, const std::vector<hsize_t>& dims) {
        const hid_t space = Space(dims);
        Check(space >= 0);
        if (space < 0) return -1;
        const hid_t dataset = H5Dcreate2(parent, name, type, space, H5P_DEFAULT, m_objectList, H5P_DEFAULT);
        H5Sclose(space);
        Check(dataset >= 0);
        return dataset;
    }

    void Write(hid_t object, const char* name, hid_t fileType, hid_t memoryType, const std::vector<hsize_t>& dims,
               const void* value) {
        if (m_failed) return;
        const hid_t space = Space(dims);
        Check(space >= 0);
        if (space < 0) return;
        const hid_t attribute = H5Acreate2(object, name, fileType, space, H5P_DEFAULT, H5P_DEFAULT);
        H5Sclose(space);
        Check(attribute >= 0);
        if (attribute < 0) return;
        Check(H5Awrite(attribute, memoryType, value) >= 0);
        H5Aclose(attribute);
    }

    // A setting's units go beside it, as "<name>_units".
    void UnitsOf(hid_t object, const char* name, const char* units) {
        if (units) Attribute(object, (std::string(name) + "_units").c_str(), QString::fromUtf8(units));
    }

    hid_t m_file;
    hid_t m_objectList = -1;
    hid_t m_groupList = -1;
    hid_t m_text = -1;
    std::vector<hid_t> m_groups;
    bool m_failed = false;
};

QString ScanModeName(int mode) {
    return mode == 2 ? QStringLiteral("Perpendicular Axes") : QStringLiteral("Single Axis");
}

QString UnitsName(int units) {
    switch (units) {
        case 1: return QStringLiteral("Counts");
        case 2: return QStringLiteral("Intensity (W/sr)");
        default: return QStringLiteral("Relative (%)");
    }
}

void WriteSettings(Builder& b, const CVelor32Doc& d) {
    const hid_t s = b.Group(b.Root(), "settings");
    b.Attribute(s, "signal_gain", int{d.m_nSignalGain}, "dB");
    b.Attribute(s, "gain_ranges", d.GetGainRanges());
    b.Attribute(s, "scan_mode", d.m_nScanMode);
    b.Attribute(s, "scan_mode_name", ScanModeName(d.m_nScanMode));
    b.Attribute(s, "filter", d.m_nFilter, "samples");
    b.Attribute(s, "averaging", d.m_nAveraging, "sweeps");
    b.Attribute(s, "aperture_source_distance", double{d.GetApertureSourceDistance()}, "cm");
    b.Attribute(s, "phi", double{d.m_fPhi}, "deg");
    b.Attribute(s, "scans_3d", int{d.m_nScans3D});
    b.Attribute(s, "has_3d_data", d.m_b3DValid != 0 ? 1 : 0);
    b.Attribute(s, "gain_3d", int{d.m_n3DGain}, "dB");
    b.Attribute(s, "blind_spot_correction", d.m_bBlindSpot != 0 ? 1 : 0);
    b.Attribute(s, "wavelength", double{d.m_fWavelength}, "nm");
    b.Attribute(s, "angular_limit", double{d.m_fAngularLimit}, "deg");
    b.Attribute(s, "pulsed", d.m_bPulsed != 0 ? 1 : 0);
    b.Attribute(s, "source_frequency", double{d.m_fSourceFreq}, "kHz");
    b.Attribute(s, "reference_power", double{d.m_fRefPower},
                QString::fromLatin1(d.GetRefUnits()).toUtf8().constData());
    b.Attribute(s, "calibration_integral", double{d.m_fCalCounts}, "a.u.");
    b.Attribute(s, "calibration_gain", int{d.m_nCalGain}, "dB");
    b.Attribute(s, "display_units", int{d.m_nUnits});
    b.Attribute(s, "display_units_name", UnitsName(d.m_nUnits));
    b.Attribute(s, "head_type", d.m_nHeadType);
    b.Attribute(s, "head_variant", d.m_nHeadVariant);
}

void WriteAxes(Builder& b, CVelor32Doc& d) {
    const int axes = d.IsPerpendicular() ? 2 : 1;
    for (int axis = 0; axis < axes; ++axis) {
        const std::string name = "axis" + std::to_string(axis);
        const hid_t g = b.Group(b.Root(), name.c_str());
        const int n = d.GetNumPoints(axis);
        b.Attribute(g, "phi", double{d.GetPhi(axis, 0)}, "deg");
        b.Attribute(g, "samples", n);
        b.Attribute(g, "peak", double{d.GetPeakValue(axis)}, "counts");
        b.Attribute(g, "peak_index", int{d.GetPeakIndex(axis)});
        b.Attribute(g, "noise", double{d.m_fNoise[axis]}, "counts");
        b.Attribute(g, "dark_offset", double{d.m_fOffset[axis]}, "counts");
        b.Attribute(g, "gain_ranges", d.GetAxisRanges(axis));
        const float* angles = d.IsCrossSectionMode() ? d.GetProfileAngles(axis) : d.GetAngleGrid();
        b.Dataset(g, "profile", {static_cast<hsize_t>(n)}, d.GetProfileData(axis), "counts");
        b.Dataset(g, "angles", {static_cast<hsize_t>(n)}, angles, "rad");
    }
}

void WriteAngleGrid(Builder& b, CVelor32Doc& d) {
    const float* grid = d.GetAngleGrid();
    std::vector<double> degrees(kSamplesPerProfile);
    for (int i = 0; i < kSamplesPerProfile; ++i) degrees[i] = grid[i] * (180.0 / std::numbers::pi);
    b.Dataset(b.Root(), "angle_grid", {kSamplesPerProfile}, grid, "rad");
    b.Dataset(b.Root(), "angle_grid_degrees", {kSamplesPerProfile}, degrees.data(), "deg");
}

void Write3dData(Builder& b, CVelor32Doc& d) {
    if (d.m_b3DValid == 0) return;
    const int n = d.m_nScans3D;
    const hsize_t scans = static_cast<hsize_t>(n) + 1;
    const hid_t g = b.Group(b.Root(), "data3d");
    b.Attribute(g, "scans_3d", n);
    b.Attribute(g, "gain_3d", int{d.m_n3DGain}, "dB");
    b.Attribute(g, "noise_maximum", double{d.Get3DNoiseMaximum()}, "counts");
    std::vector<double> radians(scans), degrees(scans);
    for (hsize_t k = 0; k < scans; ++k) {
        radians[k] = static_cast<double>(k) * std::numbers::pi / n;
        degrees[k] = static_cast<double>(k) * 180.0 / n;
    }
    b.Dataset(g, "scans", {scans, kSamplesPerProfile}, d.Get3DData(), "counts");
    b.Dataset(g, "azimuths", {scans}, radians.data(), "rad");
    b.Dataset(g, "azimuths_degrees", {scans}, degrees.data(), "deg");
    b.Dataset(g, "scan_noise", {scans}, d.GetScanNoise(), "counts");
}

void WriteParameters(Builder& b, const CVelor32Doc& d) {
    const hid_t p = b.Group(b.Root(), "parameters");
    const int axes = d.IsPerpendicular() ? 2 : 1;
    hid_t groups[2] = {-1, -1};
    for (int axis = 0; axis < axes; ++axis) {
        groups[axis] = b.Group(p, ("axis" + std::to_string(axis)).c_str());
    }
    hid_t both = -1;
    hid_t dataSet = -1;
    for (const ParameterEntry& entry : StandardParameters()) {
        if (!ParameterApplies(entry, d)) continue;
        const int count = entry.scope == ParameterScope::Axis ? axes : 1;
        for (int axis = 0; axis < count; ++axis) {
            hid_t group = groups[axis];
            if (entry.scope == ParameterScope::BothAxes) group = both >= 0 ? both : (both = b.Group(p, "both_axes"));
            if (entry.scope == ParameterScope::DataSet3D) {
                group = dataSet >= 0 ? dataSet : (dataSet = b.Group(p, "data_set_3d"));
            }
            b.Figure(group, entry.key, entry.value(d, axis), entry.unit, ParameterName(entry, d, axis), entry.decimals);
            if (b.Failed()) return;
        }
    }
}

// The 3D beam shape is most of the figures' time (a regrid of the whole data set and passes
// over it): a second thread works it out, into the document's own cache, while this one lays
// out the arrays and works out the near fields, none of which reads what the shape writes.
// Without a thread to be had, or with memory short there, it is worked out when the figures ask.
class BeamShapeAhead {
public:
    explicit BeamShapeAhead(const CVelor32Doc& document) {
        try {
            m_thread = std::thread([&document] { document.PrepareBeamShape(); });
        } catch (const std::system_error&) {
        }
    }
    ~BeamShapeAhead() { Join(); }
    BeamShapeAhead(const BeamShapeAhead&) = delete;
    BeamShapeAhead& operator=(const BeamShapeAhead&) = delete;

    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }

private:
    std::thread m_thread;
};

// The file grows in a buffer of ours instead of the in-memory driver's own: the finished file
// is then that buffer, where asking the library for its image meant a copy (for N = 200,
// 2.7 MB of fresh memory, a fifth of the export's time). The driver asks through these
// callbacks for the one buffer of the file; anything else it asks for is plain memory.
class ImageBuffer {
public:
    ImageBuffer() = default;
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    // Valid while this object lives: it must outlive the file.
    H5FD_file_image_callbacks_t Callbacks() {
        return {&Allocate, &Copy, &Resize, &Release, &SameData, &KeepData, this};
    }

    // The file's first size bytes, once the library has let go of the buffer; empty when it
    // never held that many.
    QByteArray Take(qint64 size) {
        if (!m_owned || size <= 0 || size > m_bytes.size()) return {};
        m_bytes.truncate(static_cast<int>(size));
        return std::move(m_bytes);
    }

private:
    bool Ours(const void* p) const { return m_owned && p == m_bytes.constData(); }

    static ImageBuffer& Of(void* udata) { return *static_cast<ImageBuffer*>(udata); }

    static void* Allocate(size_t size, H5FD_file_image_op_t, void*) { return std::malloc(size); }
    static void* Copy(void* to, const void* from, size_t size, H5FD_file_image_op_t, void*) {
        return std::memcpy(to, from, size);
    }
    static herr_t Release(void* p, H5FD_file_image_op_t, void* udata) {
        if (!Of(udata).Ours(p)) std::free(p);
        return 0;
    }
    static void* SameData(void* udata) { return udata; }
    static herr_t KeepData(void*) { return 0; }

    // The file's buffer is the first one asked for from nothing; what the library has not
    // written reads as zeros, as in its own buffers, so a measurement always gives the same bytes.
    static void* Resize(void* p, size_t size, H5FD_file_image_op_t, void* udata) {
        ImageBuffer& image = Of(udata);
        if (!(p == nullptr && !image.m_owned) && !image.Ours(p)) return std::realloc(p, size);
        if (size > static_cast<size_t>(std::numeric_limits<int>::max())) return nullptr;
        try {
            const int before = image.m_owned ? image.m_bytes.size() : 0;
            image.m_bytes.resize(static_cast<int>(size));
            image.m_owned = true;
            if (static_cast<int>(size) > before) std::memset(image.m_bytes.data() + before, 0, size - before);
            return image.m_bytes.data();
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }

    QByteArray m_bytes;
    bool m_owned = false;
};

// The innermost message of the library's error stack: what went wrong where it happened.
QString LibraryError() {
    QString text;
    H5Ewalk2(
        H5E_DEFAULT, H5E_WALK_UPWARD,
        [](unsigned n, const H5E_error2_t* error, void* data) -> herr_t {
            if (n == 0 && error && error->desc) *static_cast<QString*>(data) = QString::fromUtf8(error->desc);
            return 0;
        },
        &text);
    return text.isEmpty() ? QStringLiteral("the HDF5 library could not build the file")
                          : QStringLiteral("HDF5: ") + text;
}

// Silences the library's own printing of its errors while an export runs; they are reported
// through the caller instead.
class QuietErrors {
public:
    QuietErrors() {
        H5Eget_auto2(H5E_DEFAULT, &m_function, &m_data);
        H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
    }
    ~QuietErrors() { H5Eset_auto2(H5E_DEFAULT, m_function, m_data); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    H5E_auto2_t m_function = nullptr;
    void* m_data = nullptr;
};

}  // namespace

QByteArray Hdf5ExportBytes(CVelor32Doc& document, const Hdf5Source& source, QString* error) {
    BeamShapeAhead beamShape(document);
    const QuietErrors quiet;
    // The file lives in memory only: its name just tells it from other open files.
    static std::atomic<int> serial{0};
    const std::string name = "orbiscan-export-" + std::to_string(serial++) + ".h5";
    ImageBuffer image;
    H5FD_file_image_callbacks_t callbacks = image.Callbacks();
    const hid_t access = H5Pcreate(H5P_FILE_ACCESS);
    const size_t estimate = (static_cast<size_t>(document.m_nScans3D) + 8) * kSamplesPerProfile * sizeof(float);
    if (access < 0 || H5Pset_fapl_core(access, estimate + (1u << 16), false) < 0 ||
        H5Pset_file_image_callbacks(access, &callbacks) < 0) {
        if (access >= 0) H5Pclose(access);
        if (error) *error = LibraryError();
        return {};
    }
    const hid_t file = H5Fcreate(name.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, access);
    H5Pclose(access);
    if (file < 0) {
        if (error) *error = LibraryError();
        return {};
    }
    bool built = false;
    {
        Builder b(file);
        b.Attribute(b.Root(), "format", QStringLiteral("Orbiscan Viewer measurement"));
        b.Attribute(b.Root(), "format_version", kHdf5FormatVersion);
        b.Attribute(b.Root(), "created_by", QStringLiteral("Orbiscan Viewer " VELOR_VERSION));
        b.Attribute(b.Root(), "source_file", source.sourceFile);
        WriteSettings(b, document);
        WriteAngleGrid(b, document);
        WriteAxes(b, document);
        Write3dData(b, document);
        // The near fields while the shape is worked out beside them; the figures find both kept.
        document.GetNearField(0);
        if (document.IsPerpendicular()) document.GetNearField(1);
        beamShape.Join();
        WriteParameters(b, document);
        b.TextDataset(b.Root(), "note", source.note);
        built = !b.Failed();
    }
    // The flushed file's size; the bytes are the buffer's once the library has closed the file.
    const ssize_t size = built && H5Fflush(file, H5F_SCOPE_LOCAL) >= 0 ? H5Fget_file_image(file, nullptr, 0) : -1;
    const bool closed = H5Fclose(file) >= 0;
    QByteArray bytes = closed ? image.Take(size) : QByteArray();
    if (bytes.isEmpty() && error) *error = LibraryError();
    return bytes;
}

WriteResult ExportHdf5(CVelor32Doc& document, const Hdf5Source& source, const QString& path) {
    QString error;
    const QByteArray bytes = Hdf5ExportBytes(document, source, &error);
    if (bytes.isEmpty()) return WriteResult{WriteOutcome::WriteFailed, error, false};
    return WriteWholeFile(path, bytes);
}

}  // namespace velor
