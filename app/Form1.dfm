object Form1: TForm1
  BorderStyle = bsDialog
  Caption = 'Form1'
  ClientHeight = 238
  ClientWidth = 606
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object grid: TVexoGrid
    Left = 0
    Top = 0
    Width = 606
    Height = 238
    Align = alClient
    TabStop = True
    TabOrder = 0
    RowHeight = 15
    Col100x100 = 'some'
    Editable = True
    AttrUnicolumn.ColorSel = clBlack
    FontAttrs.Attr0.ColorSel = clBlack
    FontAttrs.Attr1.ColorSel = clBlack
    FontAttrs.Attr2.ColorSel = clBlack
    FontAttrs.Attr3.ColorSel = clBlack
    FontAttrs.Attr4.ColorSel = clBlack
    OnRowNeedData = gridRowNeedData
    Columns = <
      item
        FieldName = 'a'
        Caption = 'indication'
        Width = 130
        DataType = vgString
      end
      item
        FieldName = 'b'
        Caption = 'numeric'
        Width = 50
        ReadOnly = True
        DataType = vgInteger
      end
      item
        FieldName = 'c'
        Caption = 'date'
        Width = 90
        DataType = vgDate
        Format = 'DD/MM/YYYY'
      end
      item
        FieldName = 'd'
        Caption = 'some data'
        Width = 223
        DataType = vgString
      end
      item
        FieldName = 'e'
        Alignment = taRightJustify
        Caption = 'total'
        Width = 80
        DataType = vgFloat
      end>
  end
end
