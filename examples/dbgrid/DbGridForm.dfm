object DbGridForm: TDbGridForm
  BorderStyle = bsDialog
  Caption = 'Clientes'
  ClientHeight = 300
  ClientWidth = 520
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object grid: TDBVexoGrid
    Left = 0
    Top = 0
    Width = 520
    Height = 300
    Align = alClient
    TabStop = True
    TabOrder = 0
    Col100x100 = 'nombre'
    Editable = True
    SkinName = 'STD'
    ItemDataOnRefresh = True
    Columns = <
      item
        FieldName = 'code'
        Caption = 'Código'
        Width = 60
        ReadOnly = True
        DataType = vgString
      end
      item
        FieldName = 'nombre'
        Caption = 'Nombre'
        Width = 240
        DataType = vgString
      end
      item
        FieldName = 'alta'
        Caption = 'Alta'
        Width = 90
        DataType = vgDate
      end
      item
        FieldName = 'importe'
        Alignment = taRightJustify
        Caption = 'Importe'
        Width = 100
        DataType = vgMoney
      end>
    SeparatorField = 'region'
    OnSeparator = gridSeparator
    SQLTableName = 'dbgrid_clientes'
    SQLOrderBy = 'region, code'
  end
end
