// The menus of the editor window and their items, by identity. Captions
// are texts shown to the user; code and tests name menus and items by
// these ids.
#pragma once

enum class MenuId { File, Edit, Members, Supports, Loads, Analysis, Window, Help };

enum class MenuCommand {
    // 文件
    New,
    Open,
    Save,
    SaveAs,
    Exit,
    ExportDrawing,
    Print,
    // 编辑
    Undo,
    Redo,
    MoveNode,

    Select,
    CopySelection,
    MoveSelection,
    MirrorSelection,
    ArraySelection,
    DeleteSelection,
    // 杆件
    MemberTotal,
    MemberInput,
    MemberDelete,
    MemberQuery,
    ColourByMaterial,
    ColourBySize,
    ColourBySection,
    ShowNumbers,
    EndHinge,
    HingedNode,
    EndStiffness,
    // 杆件体系支座
    FixedEnd,
    HorizontalLink,
    VerticalLink,
    Pinned,
    DeleteSupports,
    ElasticSupport,
    InclinedSupport,
    Settlement,
    // 荷载
    LoadInput,
    LoadQuery,
    TemperatureChange,
    LoadCases,
    LoadCombinations,
    // 计算
    Analyse,
    MomentDiagram,
    ShearDiagram,
    AxialDiagram,
    DiagramScale,
    Reactions,
    Deflection,
    ResultsTable,
    ResultSet,
    Envelope,
    // 窗口
    Pan,
    ZoomIn,
    ZoomOut,
    CanvasColour,
    CrosshairColour,
    ShowLoads,
    WholeFrame,
    CrosshairWipes,
    Grid,
    // 帮助
    HelpDocument,
};
