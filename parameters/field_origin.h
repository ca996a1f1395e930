#pragma once
// Where the values in the parameter fields came from. A write replaces the controller's
// whole night programme with what the fields hold, so the window asks first when the
// fields hold values the technician never chose for this controller: the start-up
// placeholders, or a set read from the controller of an earlier connection (the port may
// lead to another controller now). A set read from the connected controller, a parameter
// file and the technician's own edits are written without a question.
//
// Pure: the window reports what happened to the fields; programmatic fills (the read
// filling the fields, the display reset) are not edits and are not reported as such.

enum class FieldSource {
    Placeholders,      // the values the window starts with
    EarlierController, // read from the controller of an earlier connection
    ThisController,    // read from the controller of this connection
    Technician,        // loaded from a parameter file or edited by the technician
};

class FieldOrigin {
public:
    FieldSource source() const { return source_; }
    // The write asks before it replaces the controller's set with these values.
    bool writeNeedsQuestion() const;

    // A sound parameter read filled the fields.
    void readFromController() { source_ = FieldSource::ThisController; }
    // A parameter file filled the fields.
    void loadedFromFile() { source_ = FieldSource::Technician; }
    // The technician changed a parameter field (a picker, an up-down).
    void edited() { source_ = FieldSource::Technician; }
    // A new connection begins (connect, port change): a set read before may be another
    // controller's. The technician's values stay the technician's.
    void newConnection();

private:
    FieldSource source_ = FieldSource::Placeholders;
};
