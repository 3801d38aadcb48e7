object OrderForm: TOrderForm
  BorderStyle = bsDialog
  Caption = 'Pedido'
  ClientHeight = 200
  ClientWidth = 400
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object header: TVexoFrame
    Left = 8
    Top = 8
    Width = 384
    Height = 56
    Text = 'Cliente'
    TextVAlignment = tvaOver
    ColorFrame = clGray
    TabOrder = 0
    object client: TVexoEdit
      Left = 70
      Top = 24
      Width = 200
      Height = 17
      TabOrder = 0
      Text = 'Ferreter'#237'a Ruiz'
      ShowFrame = True
      Mode = sEditString
      Label = 'Nombre'
    end
  end
  object lines: TVexoGrid
    Left = 8
    Top = 72
    Width = 384
    Height = 88
    TabOrder = 1
    Editable = True
    Columns = <
      item
        FieldName = 'article'
        Caption = 'Art'#237'culo'
        Width = 200
        DataType = vgString
      end
      item
        FieldName = 'units'
        Alignment = taRightJustify
        Caption = 'Unidades'
        Width = 70
        DataType = vgInteger
      end
      item
        FieldName = 'price'
        Alignment = taRightJustify
        Caption = 'Precio'
        Width = 90
        DataType = vgMoney
      end>
  end
  object save: TVexoButton
    Left = 292
    Top = 168
    Width = 100
    Height = 24
    Text = 'Guardar'
    Mode = vbmSoft
    OnClick = saveClick
  end
end
