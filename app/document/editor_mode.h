// The editor's command modes: at most one runs at a time, and entering one
// (the editor window's enterMode) is the only way into it.
#pragma once

enum class EditorMode {
    None,  // also the colour displays, which are no mode of their own
    MemberInput,
    MemberQuery,
    MemberDeletion,
    LoadInput,
    LoadQuery,
    FixedEnd,
    Pinned,
    HorizontalLink,
    VerticalLink,
    // Member-end connections: a click on a member end or a node.
    EndHinge,
    HingedNode,
    EndStiffness,
    // What a support does beside its kind (a click on a node), and a
    // member's temperature change (a click on a member).
    ElasticSupport,
    InclinedSupport,
    Settlement,
    TemperatureChange,
    // A node dragged or clicked to a new place.
    MoveNode,

    // Members selected with a box or a click for the operations on a
    // selection.
    Selection,
};
